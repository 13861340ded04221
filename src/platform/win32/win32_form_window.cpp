#include "platform/win32/win32_form_window.h"

#include <windows.h>

#include "platform/win32/win32_error.h"

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

FormWindow::FormWindow(const std::string& caption, int left, int top, int width, int height) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = FormWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kFormClass;
    if (!RegisterClassExA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw lastOSError("RegisterClassExA");
    }
    // A caption and a single fixed border, without a system menu and so without
    // any title-bar button.
    window_ = CreateWindowExA(WS_EX_APPWINDOW, kFormClass, caption.c_str(), WS_CAPTION | WS_BORDER, left, top, width,
                              height, nullptr, nullptr, instance, nullptr);
    if (!window_) throw lastOSError("CreateWindowExA");
}

FormWindow::~FormWindow() { DestroyWindow(Handle(window_)); }

std::uintptr_t FormWindow::handle() const { return reinterpret_cast<std::uintptr_t>(window_); }

void FormWindow::setCaption(const std::string& caption) { SetWindowTextA(Handle(window_), caption.c_str()); }

void FormWindow::show(bool visible, bool minimized) {
    ShowWindow(Handle(window_), !visible ? SW_HIDE : minimized ? SW_SHOWMINNOACTIVE : SW_SHOWNOACTIVATE);
}

}  // namespace tavlin::win32
