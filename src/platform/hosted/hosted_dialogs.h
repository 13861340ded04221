// Dialogs on a machine without a screen: each one is put to the answerer and
// journaled with its answer; without an answerer a dialog is an error.
#pragma once

#include "platform/dialogs.h"
#include "platform/hosted/hosted_machine.h"
#include "platform/hosted/journal.h"

namespace tavlin::hosted {

class HostedDialogs : public Dialogs {
public:
    explicit HostedDialogs(Journal& journal) : journal_(journal) {}

    void setAnswerer(DialogAnswerer answerer) { answerer_ = std::move(answerer); }

    MessageResult messageBox(const std::string& text, const std::string& caption, MessageButtons buttons,
                             MessageKind kind, MessageResult safeDefault) override;
    bool inputBox(const std::string& caption, const std::string& prompt, std::string& text) override;
    bool chooseFolder(const std::string& caption, std::string& folder) override;

private:
    DialogAnswer ask(const DialogRequest& request);

    Journal& journal_;
    DialogAnswerer answerer_;
};

}  // namespace tavlin::hosted
