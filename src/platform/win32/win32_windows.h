// The windows that own the backend's dialogs and shell requests, shared by the
// services of one platform object.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tavlin::win32 {

struct OwnerWindows {
    // The application's main window, once it exists; 0 before.
    std::uintptr_t mainWindow = 0;
    // Message boxes answer their safe default without showing (unattended runs).
    bool suppressMessageBoxes = false;

    HWND main() const { return reinterpret_cast<HWND>(mainWindow); }
};

}  // namespace tavlin::win32
