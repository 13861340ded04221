// A script of the dialogs a test expects, in order, with the answer to give each.
// Hand answerer() to HostedMachine::setAnswerer. A dialog of another kind, one
// whose text lacks the expected words, or one beyond the script raises an
// Exception that names the dialog; remaining() tells what was never asked.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/hosted/hosted_machine.h"

namespace tavlin::hosted {

class ScriptedAnswerer {
public:
    ScriptedAnswerer();

    // Expects a message box whose text or caption contains the words (any when empty).
    ScriptedAnswerer& messageBox(MessageResult answer, std::string containing = {});
    // Expects an input box; nothing as the answer means Cancel.
    ScriptedAnswerer& inputBox(std::optional<std::string> answer, std::string containing = {});
    // Expects the folder chooser; nothing as the answer means Cancel.
    ScriptedAnswerer& folderChooser(std::optional<std::string> answer, std::string containing = {});

    // Answers from this script; copies share it.
    DialogAnswerer answerer() const;
    // The expected dialogs not asked yet, one description each.
    std::vector<std::string> remaining() const;

private:
    struct Expected {
        DialogRequest::Kind kind;
        std::string containing;
        DialogAnswer answer;
    };
    struct Script;
    static std::string describe(const Expected& expected);

    std::shared_ptr<Script> script_;
};

}  // namespace tavlin::hosted
