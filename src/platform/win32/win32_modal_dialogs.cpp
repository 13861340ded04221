// The Yes / No / All box and the input box, built from run-time templates and run
// with DialogBoxIndirectParamA. Each dialog keeps its state in a struct whose
// address travels in the dialog's user data.
#include <algorithm>

#include "platform/win32/win32_dialog_template.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_error.h"

namespace tavlin::win32 {

namespace {

constexpr WORD iconId = 100;
constexpr WORD textId = 101;
constexpr WORD editId = 102;
constexpr WORD allId = 103;

constexpr short margin = 7;
constexpr short buttonWidth = 50;
constexpr short buttonHeight = 14;
constexpr short buttonGap = 4;

struct ChoiceState {
    MessageKind kind;
};

struct InputState {
    std::string* text;
};

LPCSTR systemIconOf(MessageKind kind) {
    switch (kind) {
    case MessageKind::Information: return IDI_INFORMATION;
    case MessageKind::Confirmation: return IDI_QUESTION;
    case MessageKind::Warning: return IDI_WARNING;
    case MessageKind::Error: return IDI_ERROR;
    }
    return IDI_INFORMATION;
}

INT_PTR CALLBACK choiceProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        const auto* state = reinterpret_cast<const ChoiceState*>(lParam);
        const HICON icon = LoadIconA(nullptr, systemIconOf(state->kind));
        SendDlgItemMessageA(dialog, iconId, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
        MessageBeep(messageIconOf(state->kind));
        return TRUE;
    }
    case WM_COMMAND: {
        const WORD id = LOWORD(wParam);
        // The box has no Cancel: Escape and the close box are not an answer.
        if (id == IDYES || id == IDNO || id == allId) EndDialog(dialog, id);
        return TRUE;
    }
    default: return FALSE;
    }
}

INT_PTR CALLBACK inputProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        const auto* state = reinterpret_cast<const InputState*>(lParam);
        SetDlgItemTextA(dialog, editId, state->text->c_str());
        SendDlgItemMessageA(dialog, editId, EM_SETSEL, 0, -1);
        SetFocus(GetDlgItem(dialog, editId));
        return FALSE;  // the focus is set
    }
    case WM_COMMAND: {
        const WORD id = LOWORD(wParam);
        if (id == IDOK) {
            auto* state = reinterpret_cast<InputState*>(GetWindowLongPtrA(dialog, DWLP_USER));
            const HWND edit = GetDlgItem(dialog, editId);
            std::string text(static_cast<std::size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
            const int length = GetWindowTextA(edit, text.data(), static_cast<int>(text.size()));
            text.resize(static_cast<std::size_t>(std::max(length, 0)));
            *state->text = std::move(text);
            EndDialog(dialog, IDOK);
        } else if (id == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
        }
        return TRUE;
    }
    default: return FALSE;
    }
}

INT_PTR runDialog(HWND owner, const DialogTemplate& layout, DLGPROC procedure, void* state) {
    const INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), layout.get(), owner, procedure,
                                                   reinterpret_cast<LPARAM>(state));
    if (result == -1 || result == 0) throw lastOSError("DialogBoxIndirectParamA");
    return result;
}

}  // namespace

MessageResult showYesNoAllBox(HWND owner, const std::string& text, const std::string& caption, MessageKind kind) {
    constexpr short iconSize = 21;
    constexpr short textWidth = 200;
    const short textLeft = margin + iconSize + margin;
    const short textHeight = std::max<short>(estimatedTextHeight(text, textWidth), iconSize);
    const short width = textLeft + textWidth + margin;
    const short buttonsTop = margin + textHeight + margin;
    const short height = buttonsTop + buttonHeight + margin;
    const short buttonsLeft = width - margin - 3 * buttonWidth - 2 * buttonGap;

    DialogTemplate layout(caption, width, height);
    layout.addControl(ControlClass::Static, iconId, SS_ICON, margin, margin, iconSize, iconSize, "");
    layout.addControl(ControlClass::Static, textId, SS_LEFT | SS_NOPREFIX, textLeft, margin, textWidth, textHeight,
                      text);
    layout.addControl(ControlClass::Button, IDYES, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, buttonsLeft,
                      buttonsTop, buttonWidth, buttonHeight, "&Yes");
    layout.addControl(ControlClass::Button, IDNO, BS_PUSHBUTTON | WS_TABSTOP,
                      buttonsLeft + buttonWidth + buttonGap, buttonsTop, buttonWidth, buttonHeight, "&No");
    layout.addControl(ControlClass::Button, allId, BS_PUSHBUTTON | WS_TABSTOP,
                      buttonsLeft + 2 * (buttonWidth + buttonGap), buttonsTop, buttonWidth, buttonHeight, "&All");

    ChoiceState state{kind};
    switch (runDialog(owner, layout, choiceProc, &state)) {
    case IDYES: return MessageResult::Yes;
    case IDNO: return MessageResult::No;
    default: return MessageResult::All;
    }
}

bool showInputBox(HWND owner, const std::string& caption, const std::string& prompt, std::string& text) {
    constexpr short width = 200;
    constexpr short inner = width - 2 * margin;
    const short promptHeight = estimatedTextHeight(prompt, inner);
    const short editTop = margin + promptHeight + 4;
    const short buttonsTop = editTop + 12 + margin;
    const short height = buttonsTop + buttonHeight + margin;
    const short buttonsLeft = width - margin - 2 * buttonWidth - buttonGap;

    DialogTemplate layout(caption, width, height);
    layout.addControl(ControlClass::Static, textId, SS_LEFT | SS_NOPREFIX, margin, margin, inner, promptHeight,
                      prompt);
    layout.addControl(ControlClass::Edit, editId, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | WS_GROUP, margin,
                      editTop, inner, 12, "");
    layout.addControl(ControlClass::Button, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, buttonsLeft,
                      buttonsTop, buttonWidth, buttonHeight, "OK");
    layout.addControl(ControlClass::Button, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP,
                      buttonsLeft + buttonWidth + buttonGap, buttonsTop, buttonWidth, buttonHeight, "Cancel");

    std::string edited = text;
    InputState state{&edited};
    if (runDialog(owner, layout, inputProc, &state) != IDOK) return false;
    text = std::move(edited);
    return true;
}

}  // namespace tavlin::win32
