// The Windows family, the restart and the message pump.
#pragma once

#include "platform/pump_pacing.h"
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
    // Runs the pending messages, but at most once in kPumpInterval milliseconds:
    // engines let messages run after every file, and each look at the queue is a
    // round trip to the wine server, while a person cannot tell a look every few
    // milliseconds from one after each file. The first call always looks.
    void processMessages() override;

private:
    static constexpr std::uint32_t kPumpInterval = 10;
    PumpPacing pacing_{kPumpInterval};
};

}  // namespace tavlin::win32
