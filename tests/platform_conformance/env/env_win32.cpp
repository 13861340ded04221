// The platform cases on the real Windows API: the process's own machine, scratch
// folders in the user's temporary folder.
#include <windows.h>

#include "platform/win32/win32_platform.h"
#include "platform_conformance/conformance_env.h"

namespace tavlin::conformance {

namespace {

class Win32Environment : public Environment {
public:
    Platform& platform() override { return platform_; }

    std::string temporaryFolder() override {
        char path[MAX_PATH + 1] = {};
        const DWORD length = GetTempPathA(sizeof path, path);
        if (length == 0 || length > MAX_PATH) return platform_.files().windowsDirectory() + "\\Temp\\";
        std::string folder(path, length);
        if (folder.back() != '\\') folder += '\\';
        return folder;
    }

    bool isWine() override {
        const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
        return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }

private:
    win32::Win32Platform platform_;
};

}  // namespace

std::unique_ptr<Environment> openEnvironment() { return std::make_unique<Win32Environment>(); }

}  // namespace tavlin::conformance
