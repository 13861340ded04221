// Puts the Win32 services together; they share the owner windows.
#include "platform/win32/win32_platform.h"

#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_profile.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_screen.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_ticks.h"
#include "platform/win32/win32_windows.h"

namespace tavlin::win32 {

struct Win32Platform::Services {
    OwnerWindows owners;
    Win32FileSystem files;
    Win32Profile profile;
    Win32Registry registry;
    Win32Shell shell{owners};
    Win32Dialogs dialogs{owners};
    Win32Clock clock;
    Win32System system;
    Win32Screen screen;
    Win32Ticks ticks;
};

Win32Platform::Win32Platform() : services_(std::make_unique<Services>()) {}
Win32Platform::~Win32Platform() = default;

FileSystem& Win32Platform::files() { return services_->files; }
Profile& Win32Platform::profile() { return services_->profile; }
Registry& Win32Platform::registry() { return services_->registry; }
Shell& Win32Platform::shell() { return services_->shell; }
Dialogs& Win32Platform::dialogs() { return services_->dialogs; }
Clock& Win32Platform::clock() { return services_->clock; }
System& Win32Platform::system() { return services_->system; }
Screen& Win32Platform::screen() { return services_->screen; }
Ticks& Win32Platform::ticks() { return services_->ticks; }

void Win32Platform::setMainWindow(std::uintptr_t window) { services_->owners.mainWindow = window; }
void Win32Platform::setSuppressMessageBoxes(bool suppress) { services_->owners.suppressMessageBoxes = suppress; }

}  // namespace tavlin::win32
