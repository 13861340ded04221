#include "platform/win32/win32_progress_window.h"

#include <windows.h>

#include <commctrl.h>

#include "platform/win32/win32_animate.h"
#include "platform/win32/win32_dialog_keys.h"
#include "platform/win32/win32_error.h"
#include "platform/win32/win32_window_class.h"
#include "platform/win32/win32_font.h"

namespace tavlin::win32 {

namespace {

constexpr const char* kProgressClass = "TavlinProgressWindow";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

enum ControlId { kAnimation = 100, kStatus1, kStatus2, kBar, kCancel };

RECT Of(const SurfaceRect& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

}  // namespace

struct ProgressWindow::State {
    HWND window = nullptr;
    HWND animation = nullptr;
    HWND status[2] = {};
    HWND bar = nullptr;
    HWND cancel = nullptr;
    HFONT font = nullptr;
    ProgressWindow::Request request = ProgressWindow::Request::None;
};

namespace {

LRESULT CALLBACK ProgressWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        return DefWindowProcA(window, message, wParam, lParam);
    }
    auto* state = reinterpret_cast<ProgressWindow::State*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!state) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_COMMAND:
            // A click or Space on Cancel, Enter (Cancel is the default button) and
            // Esc, which the dialog keys send as IDCANCEL.
            if ((LOWORD(wParam) == kCancel && HIWORD(wParam) == BN_CLICKED) || LOWORD(wParam) == IDCANCEL) {
                state->request = ProgressWindow::Request::Cancel;
                return 0;
            }
            break;
        case DM_GETDEFID:
            return MAKELRESULT(kCancel, DC_HASDEFID);
        case WM_SETFOCUS:
            // The window's one control takes the focus the window is given.
            if (state->cancel) SetFocus(state->cancel);
            return 0;
        case WM_CLOSE:
            // The model closes the window; the close box only asks.
            state->request = ProgressWindow::Request::CloseBox;
            return 0;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND Child(HWND parent, const char* windowClass, const char* text, DWORD style, const RECT& rect, int id) {
    return CreateWindowExA(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                           rect.right - rect.left, rect.bottom - rect.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

ProgressWindow::ProgressWindow(std::uintptr_t owner, const ProgressWindowLayout& layout, int left, int top)
    : state_(std::make_unique<State>()) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_ANIMATE_CLASS | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterWindowClass(kProgressClass, ProgressWindowProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    // The frame goes around the designed client area.
    RECT outer{0, 0, layout.clientWidth, layout.clientHeight};
    AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
    state_->window = CreateWindowExA(kExStyle, kProgressClass, "", kStyle, left, top, outer.right - outer.left,
                                     outer.bottom - outer.top, reinterpret_cast<HWND>(owner), nullptr, instance,
                                     state_.get());
    if (!state_->window) throw lastOSError("CreateWindowExA");
    // The close box stays; the window's size is fixed.
    HMENU menu = GetSystemMenu(state_->window, FALSE);
    if (menu) {
        DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
        DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
        DeleteMenu(menu, SC_MINIMIZE, MF_BYCOMMAND);
        DeleteMenu(menu, SC_RESTORE, MF_BYCOMMAND);
    }

    HWND window = state_->window;
    state_->animation = CreateAnimation(window, kAnimation, Of(layout.animation));
    const auto statusRect = [&layout](SurfaceRect rect) {
        if (rect.right <= rect.left) rect.right = layout.clientWidth - rect.left;
        return Of(rect);
    };
    state_->status[0] = Child(window, "STATIC", "", SS_LEFTNOWORDWRAP | SS_NOPREFIX, statusRect(layout.status1), kStatus1);
    state_->status[1] = Child(window, "STATIC", "", SS_LEFTNOWORDWRAP | SS_NOPREFIX, statusRect(layout.status2), kStatus2);
    state_->bar = Child(window, PROGRESS_CLASSA, "", 0, Of(layout.bar), kBar);
    state_->cancel = Child(window, "BUTTON", layout.cancelCaption.c_str(), WS_TABSTOP | BS_DEFPUSHBUTTON,
                           Of(layout.cancel), kCancel);
    TakeDialogKeys(window);
    const SurfaceFont& font = layout.font;
    state_->font = CreateGdiFont(font);
    for (HWND child : {state_->status[0], state_->status[1], state_->cancel}) {
        if (child && state_->font) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(state_->font), FALSE);
    }
}

ProgressWindow::~ProgressWindow() {
    ReleaseDialogKeys(state_->window);
    DestroyWindow(state_->window);
    if (state_->font) DeleteObject(state_->font);
}

std::uintptr_t ProgressWindow::handle() const { return reinterpret_cast<std::uintptr_t>(state_->window); }

void ProgressWindow::setCaption(const std::string& caption) { SetWindowTextA(state_->window, caption.c_str()); }

void ProgressWindow::moveTo(int left, int top) {
    SetWindowPos(state_->window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ProgressWindow::setStatus(int line, const std::string& text) {
    if (line < 1 || line > 2) return;
    SetWindowTextA(state_->status[line - 1], text.c_str());
}

void ProgressWindow::setRange(int minimum, int maximum) {
    SendMessageA(state_->bar, PBM_SETRANGE32, static_cast<WPARAM>(minimum), static_cast<LPARAM>(maximum));
}

void ProgressWindow::setPosition(int position) {
    SendMessageA(state_->bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void ProgressWindow::playAnimation(int commonAvi, int stopFrame) {
    PlayFileOperationClip(state_->animation, commonAvi, stopFrame);
}

void ProgressWindow::stopAnimation() { SendMessageA(state_->animation, ACM_STOP, 0, 0); }

void ProgressWindow::show(bool visible) { ShowWindow(state_->window, visible ? SW_SHOW : SW_HIDE); }

ProgressWindow::Request ProgressWindow::takeRequest() {
    const Request request = state_->request;
    state_->request = Request::None;
    return request;
}

}  // namespace tavlin::win32
