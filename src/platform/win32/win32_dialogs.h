// Modal dialogs on user32 and shell32: message boxes, the Yes / No / All box, the
// input box and the folder chooser.
#pragma once

#include "platform/dialogs.h"
#include "platform/win32/win32_windows.h"

namespace tavlin::win32 {

class Win32Dialogs : public Dialogs {
public:
    explicit Win32Dialogs(const OwnerWindows& owners) : owners_(owners) {}

    MessageResult messageBox(const std::string& text, const std::string& caption, MessageButtons buttons,
                             MessageKind kind, MessageResult safeDefault) override;
    bool inputBox(const std::string& caption, const std::string& prompt, std::string& text) override;
    bool chooseFolder(const std::string& caption, std::string& folder) override;

private:
    const OwnerWindows& owners_;
};

// The dialogs built from run-time templates (win32_modal_dialogs.cpp): the
// question boxes with Yes and No (and All), where Esc answers No, the Abort /
// Retry / Ignore box, where Esc answers Abort, and the input box, where Esc
// cancels.
MessageResult showChoiceBox(HWND owner, const std::string& text, const std::string& caption, MessageKind kind,
                            MessageButtons buttons);
bool showInputBox(HWND owner, const std::string& caption, const std::string& prompt, std::string& text);

// The shell's folder chooser with an edit box (win32_folder_chooser.cpp); a folder
// typed as a full path is chosen even when it does not exist yet.
bool showFolderChooser(HWND owner, const std::string& caption, std::string& folder);

// The message box icon for a kind of message.
UINT messageIconOf(MessageKind kind);

}  // namespace tavlin::win32
