// ShellExecuteA and SHGetFileInfoA; shell links live in their own file.
#include "platform/win32/win32_shell.h"

#include <shellapi.h>

#include "platform/win32/win32_error.h"
#include "platform/win32/win32_shell_link.h"

namespace tavlin::win32 {

namespace {

// ShellExecuteA takes no text as "none" only as a null pointer.
const char* textOrNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

// SHGFI_SYSICONINDEX | SHGFI_TYPENAME | SHGFI_SMALLICON, the flags the icon index
// has always been asked with.
constexpr UINT iconIndexFlags = 0x4401;

}  // namespace

bool Win32Shell::execute(ShellOwner owner, const std::string& verb, const std::string& file,
                         const std::string& parameters, const std::string& folder, int showCommand) {
    const HWND window = owner == ShellOwner::Desktop ? GetDesktopWindow() : owners_.main();
    const auto result = reinterpret_cast<INT_PTR>(ShellExecuteA(window, textOrNull(verb), file.c_str(),
                                                                textOrNull(parameters), textOrNull(folder),
                                                                showCommand));
    // Values up to 32 are the shell's error codes; the reason is in the thread's
    // last error, which uses the same numbers for the common ones.
    if (result > 32) return true;
    const DWORD code = GetLastError();
    lastFailure_ = describeFailure("ShellExecuteA", code != 0 ? code : static_cast<DWORD>(result));
    return false;
}

std::unique_ptr<ShellLink> Win32Shell::createShellLink() { return std::make_unique<Win32ShellLink>(); }

int Win32Shell::smallIconIndex(const std::string& path) {
    SHFILEINFOA info{};
    if (SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, iconIndexFlags) == 0) return 0;
    return info.iIcon;
}

std::uintptr_t Win32Shell::systemSmallImageList(const std::string& path) {
    SHFILEINFOA info{};
    return static_cast<std::uintptr_t>(
        SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
}

}  // namespace tavlin::win32
