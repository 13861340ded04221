#include "setup/sys_shutdown.h"

#include "platform/platform.h"

namespace tavlin {

bool TSysShutdown::Execute() {
    System& system = platform_.system();
    if (system.family() == WindowsFamily::NT && !system.enableShutdownPrivilege()) return false;
    bool proceed = true;
    if (OnQueryShutdown) OnQueryShutdown(proceed);
    if (!proceed) return false;
    static constexpr std::uint32_t kActions[] = {ewxLogoff, ewxShutdown, ewxReboot};
    std::uint32_t flags = kActions[ActionType];
    if (Force) flags |= ewxForce;
    return system.exitWindows(flags);
}

}  // namespace tavlin
