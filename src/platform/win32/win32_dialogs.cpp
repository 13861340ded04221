// Message boxes through MessageBoxA; the other dialogs are in their own files.
#include "platform/win32/win32_dialogs.h"

#include "platform/win32/win32_error.h"

namespace tavlin::win32 {

UINT messageIconOf(MessageKind kind) {
    switch (kind) {
    case MessageKind::Information: return MB_ICONINFORMATION;
    case MessageKind::Confirmation: return MB_ICONQUESTION;
    case MessageKind::Warning: return MB_ICONWARNING;
    case MessageKind::Error: return MB_ICONERROR;
    }
    return 0;
}

MessageResult Win32Dialogs::messageBox(const std::string& text, const std::string& caption, MessageButtons buttons,
                                       MessageKind kind, MessageResult safeDefault) {
    if (owners_.suppressMessageBoxes) return safeDefault;
    if (buttons == MessageButtons::YesNoAll) return showYesNoAllBox(owners_.main(), text, caption, kind);

    UINT flags = messageIconOf(kind);
    if (buttons == MessageButtons::YesNo) flags |= MB_YESNO;
    if (buttons == MessageButtons::OkCancel) flags |= MB_OKCANCEL;
    if (buttons == MessageButtons::AbortRetryIgnore) flags |= MB_ABORTRETRYIGNORE;
    if (!owners_.main()) flags |= MB_TASKMODAL;
    switch (MessageBoxA(owners_.main(), text.c_str(), caption.c_str(), flags)) {
    case IDOK: return MessageResult::Ok;
    case IDCANCEL: return MessageResult::Cancel;
    case IDYES: return MessageResult::Yes;
    case IDNO: return MessageResult::No;
    case IDABORT: return MessageResult::Abort;
    case IDRETRY: return MessageResult::Retry;
    case IDIGNORE: return MessageResult::Ignore;
    default: throw lastOSError("MessageBoxA");
    }
}

bool Win32Dialogs::inputBox(const std::string& caption, const std::string& prompt, std::string& text) {
    return showInputBox(owners_.main(), caption, prompt, text);
}

bool Win32Dialogs::chooseFolder(const std::string& caption, std::string& folder) {
    return showFolderChooser(owners_.main(), files_, caption, folder);
}

}  // namespace tavlin::win32
