// INI and registry settings of the configuration: cleared before an installation,
// applied and logged during it, erased by the uninstall run; and the uninstall
// entry in the system's list of installed programs.
#pragma once

#include <string>

#include "install/install_context.h"
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
// Registers the product under its title; skipped when the title is empty (the key
// would be the list itself) or the key cannot be opened.
void RegisterUninstallEntry(InstallContext& context);
// Deletes a logged registry key (root name, "\" and path) with all its subkeys;
// a key that other software shares (shared_settings.h) is never deleted. True when
// a key was deleted.
bool EraseLoggedKey(Platform& platform, const std::string& text, const ChangeRecorder& record = {});

}  // namespace tavlin
