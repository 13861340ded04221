// GetVersionExA for the family, the token steps and ExitWindowsEx for a restart,
// and a PeekMessage loop for pending window messages.
#include "platform/win32/win32_system.h"

#include <windows.h>

#include "platform/win32/win32_dialog_keys.h"
#include "platform/win32/win32_handles.h"

namespace tavlin::win32 {

namespace {

// PROCESS_ALL_ACCESS as Windows NT 4 and 2000 define it.
constexpr DWORD processAllAccess = 0x1F0FFF;
// TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY.
constexpr DWORD tokenAdjustAndQuery = 0x28;

}  // namespace

WindowsFamily Win32System::family() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT) return WindowsFamily::NT;
    return WindowsFamily::Windows95;
}

bool Win32System::enableShutdownPrivilege() {
    HANDLE token = nullptr;
    {
        const HANDLE process = OpenProcess(processAllAccess, TRUE, GetCurrentProcessId());
        if (!process) return false;
        const UniqueHandle processOwner(process);
        if (!OpenProcessToken(process, tokenAdjustAndQuery, &token)) return false;
    }
    const UniqueHandle tokenOwner(token);
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) return false;
    if (!AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr)) return false;
    // AdjustTokenPrivileges succeeds even when the account lacks the privilege;
    // only the last error tells.
    return GetLastError() == ERROR_SUCCESS;
}

bool Win32System::exitWindows(std::uint32_t flags) { return ExitWindowsEx(flags, 0) != FALSE; }

bool RunPendingMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The quit request belongs to the main loop; leave it for that loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        if (RouteDialogKeys(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}

void Win32System::processMessages() {
    if (pacing_.Due(GetTickCount())) RunPendingMessages();
}

}  // namespace tavlin::win32
