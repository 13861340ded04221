// The real Windows machine as a Platform: every service on the Windows API. This
// header keeps <windows.h> out of the programs that create the platform.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/platform.h"

namespace tavlin::win32 {

class Win32Platform : public Platform {
public:
    Win32Platform();
    ~Win32Platform() override;

    FileSystem& files() override;
    Profile& profile() override;
    Registry& registry() override;
    Shell& shell() override;
    Dialogs& dialogs() override;
    Clock& clock() override;
    System& system() override;
    Screen& screen() override;
    Ticks& ticks() override;

    // The application's main window (an HWND), which owns dialogs and the shell
    // requests made for the application; 0 until it exists.
    void setMainWindow(std::uintptr_t window);
    // When on, message boxes are not shown and answer their safe default.
    void setSuppressMessageBoxes(bool suppress);

private:
    struct Services;
    std::unique_ptr<Services> services_;
};

}  // namespace tavlin::win32
