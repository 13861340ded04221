// INI and registry settings of the configuration: cleared before an installation,
// applied and logged during it, erased by the uninstall run; and the uninstall
// entry in the system's list of installed programs.
#pragma once

#include <string>

#include "platform/errors.h"

namespace tavlin {

class Platform;
class UninstallLog;
struct InstallContext;

// "Failed to create key %s" and "Failed to set data for '%s'".
class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

// The uninstall list's key below HKEY_LOCAL_MACHINE, with its trailing "\".
inline constexpr const char* kUninstallListKey = "Software\\Microsoft\\Windows\\currentversion\\uninstall\\";

void ClearIniRegistryTargets(InstallContext& context);
void ApplyIniRegistryEntries(InstallContext& context, UninstallLog& log);
void RegisterUninstallEntry(InstallContext& context);
// Deletes a logged registry key (root name, "\" and path) with all its subkeys.
void EraseLoggedKey(Platform& platform, const std::string& text);

}  // namespace tavlin
