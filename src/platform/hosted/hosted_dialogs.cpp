// Journal lines: message box caption=".." kind=.. buttons=.. text=".." answer=..;
// input box / folder chooser caption=".." ... answer=ok result=".." or answer=cancel.
#include "platform/hosted/hosted_dialogs.h"

#include "platform/errors.h"
#include "platform/hosted/dialog_text.h"

namespace tavlin::hosted {

namespace {

bool isButtonOf(MessageResult result, MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok: return result == MessageResult::Ok;
        case MessageButtons::YesNo: return result == MessageResult::Yes || result == MessageResult::No;
        case MessageButtons::YesNoAll:
            return result == MessageResult::Yes || result == MessageResult::No || result == MessageResult::All;
        case MessageButtons::OkCancel: return result == MessageResult::Ok || result == MessageResult::Cancel;
        case MessageButtons::AbortRetryIgnore:
            return result == MessageResult::Abort || result == MessageResult::Retry || result == MessageResult::Ignore;
    }
    return false;
}

std::string editAnswer(const DialogAnswer& answer) {
    return answer.ok ? "answer=ok result=" + journalQuote(answer.text) : std::string("answer=cancel");
}

}  // namespace

DialogAnswer HostedDialogs::ask(const DialogRequest& request) {
    if (!answerer_) throw Exception("No answer for the " + describe(request));
    return answerer_(request);
}

MessageResult HostedDialogs::messageBox(const std::string& text, const std::string& caption, MessageButtons buttons,
                                        MessageKind kind, MessageResult safeDefault) {
    DialogRequest request;
    request.kind = DialogRequest::Kind::MessageBox;
    request.caption = caption;
    request.text = text;
    request.buttons = buttons;
    request.messageKind = kind;
    request.safeDefault = safeDefault;
    const DialogAnswer answer = ask(request);
    if (!isButtonOf(answer.result, buttons)) {
        throw Exception("The answer " + nameOf(answer.result) + " is not a button of the " + describe(request));
    }
    journal_.add("message box caption=" + journalQuote(caption) + " kind=" + nameOf(kind) +
                 " buttons=" + nameOf(buttons) + " text=" + journalQuote(text) + " answer=" + nameOf(answer.result));
    return answer.result;
}

bool HostedDialogs::inputBox(const std::string& caption, const std::string& prompt, std::string& text) {
    DialogRequest request;
    request.kind = DialogRequest::Kind::InputBox;
    request.caption = caption;
    request.text = prompt;
    request.editText = text;
    const DialogAnswer answer = ask(request);
    journal_.add("input box caption=" + journalQuote(caption) + " prompt=" + journalQuote(prompt) +
                 " offered=" + journalQuote(text) + " " + editAnswer(answer));
    if (answer.ok) text = answer.text;
    return answer.ok;
}

bool HostedDialogs::chooseFolder(const std::string& caption, std::string& folder) {
    DialogRequest request;
    request.kind = DialogRequest::Kind::FolderChooser;
    request.caption = caption;
    request.editText = folder;
    const DialogAnswer answer = ask(request);
    journal_.add("folder chooser caption=" + journalQuote(caption) + " offered=" + journalQuote(folder) + " " +
                 editAnswer(answer));
    if (answer.ok) folder = answer.text;
    return answer.ok;
}

}  // namespace tavlin::hosted
