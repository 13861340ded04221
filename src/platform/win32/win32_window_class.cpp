#include "platform/win32/win32_window_class.h"

#include "platform/win32/win32_error.h"

namespace tavlin::win32 {

void RegisterWindowClass(const char* name, WNDPROC procedure, HBRUSH background) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    if (!RegisterClassExA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw lastOSError("RegisterClassExA");
    }
}

}  // namespace tavlin::win32
