// Fixed names for the dialog enumerations.
#include "platform/hosted/dialog_text.h"

#include "platform/hosted/journal.h"

namespace tavlin::hosted {

std::string nameOf(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok: return "ok";
        case MessageButtons::YesNo: return "yes/no";
        case MessageButtons::YesNoAll: return "yes/no/all";
        case MessageButtons::OkCancel: return "ok/cancel";
        case MessageButtons::AbortRetryIgnore: return "abort/retry/ignore";
    }
    return "?";
}

std::string nameOf(MessageKind kind) {
    switch (kind) {
        case MessageKind::Information: return "information";
        case MessageKind::Confirmation: return "confirmation";
        case MessageKind::Warning: return "warning";
        case MessageKind::Error: return "error";
    }
    return "?";
}

std::string nameOf(MessageResult result) {
    switch (result) {
        case MessageResult::Ok: return "ok";
        case MessageResult::Cancel: return "cancel";
        case MessageResult::Yes: return "yes";
        case MessageResult::No: return "no";
        case MessageResult::All: return "all";
        case MessageResult::Abort: return "abort";
        case MessageResult::Retry: return "retry";
        case MessageResult::Ignore: return "ignore";
    }
    return "?";
}

std::string nameOf(DialogRequest::Kind kind) {
    switch (kind) {
        case DialogRequest::Kind::MessageBox: return "message box";
        case DialogRequest::Kind::InputBox: return "input box";
        case DialogRequest::Kind::FolderChooser: return "folder chooser";
    }
    return "?";
}

std::string describe(const DialogRequest& request) {
    std::string text = nameOf(request.kind) + " " + journalQuote(request.caption);
    if (!request.text.empty()) text += ": " + journalQuote(request.text);
    return text;
}

}  // namespace tavlin::hosted
