// Journal lines: "enable privilege SeShutdownPrivilege: ok" (or "not supported"
// on the Windows 95 family, which has no process tokens) and
// "exit windows flags=0x00000002 (reboot)".
#include "platform/hosted/hosted_system.h"

#include <cstdio>

namespace tavlin::hosted {

bool HostedSystem::enableShutdownPrivilege() {
    const bool supported = family_ == WindowsFamily::NT;
    journal_.add(std::string("enable privilege SeShutdownPrivilege: ") + (supported ? "ok" : "not supported"));
    return supported;
}

bool HostedSystem::exitWindows(std::uint32_t flags) {
    std::string names = (flags & ewxReboot) ? "reboot" : (flags & ewxShutdown) ? "shutdown" : "logoff";
    if (flags & ewxForce) names += "|force";
    char line[64];
    std::snprintf(line, sizeof line, "exit windows flags=0x%08X (", flags);
    journal_.add(line + names + ")");
    return true;
}

}  // namespace tavlin::hosted
