// The rest of the operating system: Windows family, restart, the message pump.
#pragma once

#include <cstdint>

namespace tavlin {

enum class WindowsFamily { Windows95, NT };

// ExitWindowsEx flags.
enum ExitWindowsFlag : std::uint32_t { ewxLogoff = 0, ewxShutdown = 1, ewxReboot = 2, ewxForce = 4 };

class System {
public:
    virtual ~System() = default;

    virtual WindowsFamily family() = 0;
    // The NT privilege steps before a restart: open the own process and its token,
    // look up and enable SeShutdownPrivilege. False when any step fails.
    virtual bool enableShutdownPrivilege() = 0;
    // ExitWindowsEx; true when Windows accepted the request.
    virtual bool exitWindows(std::uint32_t flags) = 0;
    // Lets pending window messages run. A platform whose look at the queue is dear
    // may let a call that comes very soon after the last one pass without a look.
    virtual void processMessages() = 0;
};

}  // namespace tavlin
