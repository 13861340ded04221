// The Windows family, the restart and the message pump.
#pragma once

#include "platform/system.h"

namespace tavlin::win32 {

// Runs the thread's pending window messages; false when a quit request came, which
// is posted again for the loop it belongs to.
bool RunPendingMessages();

class Win32System : public System {
public:
    WindowsFamily family() override;
    bool enableShutdownPrivilege() override;
    bool exitWindows(std::uint32_t flags) override;
    void processMessages() override;
};

}  // namespace tavlin::win32
