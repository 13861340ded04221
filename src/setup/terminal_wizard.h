// The wizard in a terminal: each page as text (header, page text, choices and the
// buttons with their accelerator letters), the user's answer read as a line: a
// button's letter, a choice's number, or Q to close the window. Message boxes are
// asked the same way. Scripts can feed the same lines.
#pragma once

#include <istream>
#include <ostream>
#include <string>

#include "platform/dialogs.h"
#include "setup/progress_report.h"
#include "setup/setup_program.h"

namespace tavlin {

class TerminalWizard : public SetupFrontEnd {
public:
    TerminalWizard(std::istream& in, std::ostream& out) : in_(in), out_(out), report_(out) {}

    bool NextAction(TDisplayScreen& screen) override;
    void Update(TDisplayScreen& screen) override;

    // The page as the terminal shows it.
    static std::string RenderPage(TDisplayScreen& screen);

    // Asks a message box: shows its text and buttons and reads the answer; at the
    // end of input the box takes its safe default.
    MessageResult AskMessage(const std::string& caption, const std::string& text, MessageButtons buttons,
                             MessageResult safeDefault);
    // Asks for a text (input box, folder chooser); false when cancelled or at the
    // end of input.
    bool AskText(const std::string& caption, const std::string& prompt, std::string& text);

private:
    bool ReadLine(std::string& line);
    bool Carry(TDisplayScreen& screen, const std::string& answer);

    std::istream& in_;
    std::ostream& out_;
    ProgressReport report_;
};

}  // namespace tavlin
