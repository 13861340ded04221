// Modal dialogs: message boxes, the input box and the folder chooser.
#pragma once

#include <string>

namespace tavlin {

enum class MessageButtons { Ok, YesNo, YesNoAll, OkCancel, AbortRetryIgnore };
enum class MessageKind { Information, Confirmation, Warning, Error };
enum class MessageResult { Ok, Cancel, Yes, No, All, Abort, Retry, Ignore };

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Shows a modal message box and returns the button chosen. safeDefault is the
    // answer a box gives when no one may be asked (silent runs).
    virtual MessageResult messageBox(const std::string& text, const std::string& caption,
                                     MessageButtons buttons, MessageKind kind,
                                     MessageResult safeDefault) = 0;

    // An input box with OK and Cancel; on OK the edited text is stored into text.
    virtual bool inputBox(const std::string& caption, const std::string& prompt, std::string& text) = 0;

    // The folder chooser; the user may type a folder that does not exist yet.
    virtual bool chooseFolder(const std::string& caption, std::string& folder) = 0;
};

}  // namespace tavlin
