// The Yes / No, Yes / No / All and Abort / Retry / Ignore boxes and the input
// box, built from run-time templates and run with DialogBoxIndirectParamA. Each
// dialog keeps its state in a struct whose address travels in the dialog's user
// data; its controls are laid out in WM_INITDIALOG from their measured texts, so
// no line is clipped whatever the text, the font or the DPI.
//
// Esc (and the close box) answers No in a question box, since No is the answer
// that changes nothing (for "Delete Anyway?" it keeps the file), Abort in the
// box of a failed step (the system's own box ignores Esc there; Abort is the
// answer its callers take as the safe one), and Cancel in the input box.
#include <algorithm>
#include <vector>

#include "platform/win32/win32_dialog_layout.h"
#include "platform/win32/win32_dialog_template.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_error.h"

namespace tavlin::win32 {

namespace {

constexpr WORD iconId = 100;
constexpr WORD textId = 101;
constexpr WORD editId = 102;
constexpr WORD allId = 103;

// Dialog units of the standard dialog layout.
constexpr int margin = 7;
constexpr int buttonWidth = 50;
constexpr int buttonHeight = 14;
constexpr int buttonGap = 4;
constexpr int editHeight = 12;
constexpr int promptGap = 4;
constexpr int inputWidth = 200;
// The padding a caption needs inside its button, both sides together.
constexpr int buttonPadding = 12;

struct ChoiceButton {
    WORD id;
    const char* caption;
    MessageResult result;
};

constexpr ChoiceButton yesButton{IDYES, "&Yes", MessageResult::Yes};
constexpr ChoiceButton noButton{IDNO, "&No", MessageResult::No};
constexpr ChoiceButton allButton{allId, "&All", MessageResult::All};
constexpr ChoiceButton abortButton{IDABORT, "&Abort", MessageResult::Abort};
constexpr ChoiceButton retryButton{IDRETRY, "&Retry", MessageResult::Retry};
constexpr ChoiceButton ignoreButton{IDIGNORE, "&Ignore", MessageResult::Ignore};

struct ChoiceState {
    std::string text;
    MessageKind kind;
    std::vector<ChoiceButton> buttons;
    WORD escape;  // the button Esc and the close box answer with
};

struct InputState {
    std::string prompt;
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

// The width of a row of buttons of one width, wide enough for every caption;
// eachWidth receives that one width.
int buttonRowWidth(const DialogLayout& layout, const std::vector<std::pair<WORD, std::string>>& buttons,
                   int& eachWidth) {
    eachWidth = layout.across(buttonWidth);
    for (const auto& button : buttons) {
        eachWidth = std::max(eachWidth, layout.lineWidth(button.second) + layout.across(buttonPadding));
    }
    const int count = static_cast<int>(buttons.size());
    return count * eachWidth + (count - 1) * layout.across(buttonGap);
}

// Places the row of buttons so that it ends at right.
void placeButtonRow(const DialogLayout& layout, const std::vector<std::pair<WORD, std::string>>& buttons,
                    int right, int top, int eachWidth) {
    int x = right - static_cast<int>(buttons.size()) * (eachWidth + layout.across(buttonGap)) +
            layout.across(buttonGap);
    for (const auto& button : buttons) {
        layout.place(button.first, x, top, eachWidth, layout.down(buttonHeight));
        x += eachWidth + layout.across(buttonGap);
    }
}

void layOutChoice(HWND dialog, const ChoiceState& state) {
    const DialogLayout layout(dialog);
    const int gap = layout.across(margin);
    const int iconSize = GetSystemMetrics(SM_CXICON);
    const int textLeft = gap + iconSize + gap;
    const SIZE text = layout.measureText(state.text, layout.maxTextWidth());
    const int textHeight = std::max<int>(text.cy, iconSize);

    std::vector<std::pair<WORD, std::string>> buttons;
    for (const auto& button : state.buttons) buttons.emplace_back(button.id, button.caption);
    int eachWidth = 0;
    const int rowWidth = buttonRowWidth(layout, buttons, eachWidth);

    const int width = std::max<int>(textLeft + text.cx + gap, gap + rowWidth + gap);
    const int buttonsTop = gap + textHeight + layout.down(margin);
    layout.place(iconId, gap, gap, iconSize, iconSize);
    // The text is centred on the icon when it is shorter than the icon.
    layout.place(textId, textLeft, gap + (textHeight - text.cy) / 2, text.cx, text.cy);
    placeButtonRow(layout, buttons, width - gap, buttonsTop, eachWidth);
    layout.finish(width, buttonsTop + layout.down(buttonHeight) + layout.down(margin));
}

INT_PTR CALLBACK choiceProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        const auto* state = reinterpret_cast<const ChoiceState*>(lParam);
        const HICON icon = LoadIconA(nullptr, systemIconOf(state->kind));
        SendDlgItemMessageA(dialog, iconId, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
        layOutChoice(dialog, *state);
        bringToFront(dialog);
        MessageBeep(messageIconOf(state->kind));
        return TRUE;  // the default button takes the focus
    }
    case WM_COMMAND: {
        const WORD id = LOWORD(wParam);
        const auto* state = reinterpret_cast<const ChoiceState*>(GetWindowLongPtrA(dialog, DWLP_USER));
        // Esc and the close box arrive as IDCANCEL.
        if (id == IDCANCEL) {
            EndDialog(dialog, state->escape);
            return TRUE;
        }
        for (const auto& button : state->buttons) {
            if (button.id == id) EndDialog(dialog, id);
        }
        return TRUE;
    }
    default: return FALSE;
    }
}

void layOutInput(HWND dialog, const InputState& state) {
    const DialogLayout layout(dialog);
    const int gap = layout.across(margin);
    const int minInner = layout.across(inputWidth - 2 * margin);
    const SIZE prompt = layout.measureText(state.prompt, std::max(minInner, layout.maxTextWidth()));
    const std::vector<std::pair<WORD, std::string>> buttons{{static_cast<WORD>(IDOK), "OK"},
                                                            {static_cast<WORD>(IDCANCEL), "Cancel"}};
    int eachWidth = 0;
    const int rowWidth = buttonRowWidth(layout, buttons, eachWidth);
    const int inner = std::max<int>({minInner, static_cast<int>(prompt.cx), rowWidth});

    const int editTop = gap + prompt.cy + layout.down(promptGap);
    const int buttonsTop = editTop + layout.down(editHeight) + layout.down(margin);
    layout.place(textId, gap, gap, inner, prompt.cy);
    layout.place(editId, gap, editTop, inner, layout.down(editHeight));
    placeButtonRow(layout, buttons, gap + inner, buttonsTop, eachWidth);
    layout.finish(gap + inner + gap, buttonsTop + layout.down(buttonHeight) + layout.down(margin));
}

INT_PTR CALLBACK inputProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        const auto* state = reinterpret_cast<const InputState*>(lParam);
        layOutInput(dialog, *state);
        SetDlgItemTextA(dialog, editId, state->text->c_str());
        SendDlgItemMessageA(dialog, editId, EM_SETSEL, 0, -1);
        bringToFront(dialog);
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
            // Esc and the close box: the input is cancelled.
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

MessageResult showChoiceBox(HWND owner, const std::string& text, const std::string& caption, MessageKind kind,
                            MessageButtons buttons) {
    ChoiceState state{text, kind, {yesButton, noButton}, IDNO};
    if (buttons == MessageButtons::YesNoAll) state.buttons.push_back(allButton);
    if (buttons == MessageButtons::AbortRetryIgnore) {
        state.buttons = {abortButton, retryButton, ignoreButton};
        state.escape = IDABORT;
    }

    // The template gives the controls and their order; the sizes come in
    // WM_INITDIALOG from the measured text.
    DialogTemplate layout(caption, inputWidth, 60);
    layout.addControl(ControlClass::Static, iconId, SS_ICON, 0, 0, 0, 0, "");
    layout.addControl(ControlClass::Static, textId, SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL, 0, 0, 0, 0, text);
    bool first = true;
    for (const auto& button : state.buttons) {
        const DWORD style = first ? BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP : BS_PUSHBUTTON | WS_TABSTOP;
        layout.addControl(ControlClass::Button, button.id, style, 0, 0, buttonWidth, buttonHeight, button.caption);
        first = false;
    }

    const INT_PTR chosen = runDialog(owner, layout, choiceProc, &state);
    for (const WORD id : {static_cast<WORD>(chosen), state.escape}) {
        for (const auto& button : state.buttons) {
            if (button.id == id) return button.result;
        }
    }
    return MessageResult::No;
}

bool showInputBox(HWND owner, const std::string& caption, const std::string& prompt, std::string& text) {
    DialogTemplate layout(caption, inputWidth, 60);
    layout.addControl(ControlClass::Static, textId, SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL, 0, 0, 0, 0, prompt);
    layout.addControl(ControlClass::Edit, editId, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | WS_GROUP, 0, 0, 0, 0,
                      "");
    layout.addControl(ControlClass::Button, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 0, 0, buttonWidth,
                      buttonHeight, "OK");
    layout.addControl(ControlClass::Button, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 0, 0, buttonWidth, buttonHeight,
                      "Cancel");

    std::string edited = text;
    InputState state{prompt, &edited};
    if (runDialog(owner, layout, inputProc, &state) != IDOK) return false;
    text = std::move(edited);
    return true;
}

}  // namespace tavlin::win32
