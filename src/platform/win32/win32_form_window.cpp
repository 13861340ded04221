#include "platform/win32/win32_form_window.h"

#include <windows.h>

#include "platform/win32/win32_error.h"
#include "platform/win32/win32_window_class.h"

namespace tavlin::win32 {

namespace {

constexpr const char* kFormClass = "TavlinFormWindow";

LRESULT CALLBACK FormWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The form closes when its work is done, never from the task bar.
    if (message == WM_CLOSE) return 0;
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND Handle(void* window) { return static_cast<HWND>(window); }

}  // namespace

FormWindow::FormWindow(const std::string& caption, int left, int top, int width, int height, bool minimized) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterWindowClass(kFormClass, FormWindowProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    // A caption and a single fixed border, without a system menu and so without
    // any title-bar button.
    const DWORD style = WS_CAPTION | WS_BORDER | (minimized ? WS_MINIMIZE : 0);
    window_ = CreateWindowExA(WS_EX_APPWINDOW, kFormClass, caption.c_str(), style, left, top, width, height, nullptr,
                              nullptr, instance, nullptr);
    if (!window_) throw lastOSError("CreateWindowExA");
}

FormWindow::~FormWindow() { DestroyWindow(Handle(window_)); }

std::uintptr_t FormWindow::handle() const { return reinterpret_cast<std::uintptr_t>(window_); }

void FormWindow::setCaption(const std::string& caption) { SetWindowTextA(Handle(window_), caption.c_str()); }

void FormWindow::show(bool visible, bool minimized) {
    ShowWindow(Handle(window_), !visible ? SW_HIDE : minimized ? SW_SHOWMINNOACTIVE : SW_SHOWNOACTIVATE);
}

}  // namespace tavlin::win32
