// Message boxes: OK and OK / Cancel through MessageBoxA, whose Esc answers OK and
// Cancel; the questions with Yes and No (and All) and the Abort / Retry / Ignore
// box through the run-time box, which gives Esc the answers No and Abort. Every box is owned by the application's main window
// (or, before it exists, the thread's active window), comes to the foreground
// and carries the caption its caller gives, the application's title.
#include "platform/win32/win32_dialogs.h"

#include "platform/win32/win32_error.h"

namespace tavlin::win32 {

namespace {

// The window a dialog belongs to: the main window, else whatever window of this
// thread is active, so that a box never opens behind the program's own window.
HWND ownerFor(const OwnerWindows& owners) {
    if (owners.main()) return owners.main();
    return GetActiveWindow();
}

}  // namespace

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
    const HWND owner = ownerFor(owners_);
    if (buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoAll ||
        buttons == MessageButtons::AbortRetryIgnore) {
        return showChoiceBox(owner, text, caption, kind, buttons);
    }

    UINT flags = messageIconOf(kind) | MB_SETFOREGROUND;
    if (buttons == MessageButtons::OkCancel) flags |= MB_OKCANCEL;
    if (!owner) flags |= MB_TASKMODAL;
    switch (MessageBoxA(owner, text.c_str(), caption.c_str(), flags)) {
    case IDOK: return MessageResult::Ok;
    // Esc on a box with OK alone is its one answer, whatever the system reports.
    case IDCANCEL: return buttons == MessageButtons::Ok ? MessageResult::Ok : MessageResult::Cancel;
    default: throw lastOSError("MessageBoxA");
    }
}

bool Win32Dialogs::inputBox(const std::string& caption, const std::string& prompt, std::string& text) {
    return showInputBox(ownerFor(owners_), caption, prompt, text);
}

bool Win32Dialogs::chooseFolder(const std::string& caption, std::string& folder) {
    return showFolderChooser(ownerFor(owners_), caption, folder);
}

}  // namespace tavlin::win32
