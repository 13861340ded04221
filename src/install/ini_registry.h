// INI and registry settings of the configuration: cleared before an installation,
// applied and logged during it, erased by the uninstall run; and the uninstall
// entry in the system's list of installed programs.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "install/install_context.h"
#include "platform/errors.h"
#include "platform/registry.h"

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

// Clears the targets of the configured entries, but only files, keys and values
// that the product's own earlier log in the installation folder names.
void ClearIniRegistryTargets(InstallContext& context);
// Writes the entries and logs them: a key the run creates (its highest missing
// key) in [Registry], an INI file it creates in [Files], and each value written
// into a key or file that existed before with what it held.
void ApplyIniRegistryEntries(InstallContext& context, UninstallLog& log);
// Registers the product under its title; skipped when the title is empty (the key
// would be the list itself) or the key cannot be opened.
void RegisterUninstallEntry(InstallContext& context);
// The folders above the installation folder that the run is about to make, kept
// in the product's uninstall entry (values "Created Folder 1", "Created Folder 2"
// ..., the deepest first) before they exist: before the log is written and after
// the uninstall has deleted it, the entry is what tells them from the user's.
void RecordFoldersMadeAbove(InstallContext& context, const std::vector<std::string>& folders);
// The folders that an entry's "Created Folder" values name, the deepest first.
std::vector<std::string> FoldersMadeAbove(Platform& platform, const std::string& entryName);
// Deletes a logged registry key (root name, "\" and path) with all its subkeys;
// a key that other software shares (shared_settings.h) is never deleted. True when
// a key was deleted.
bool EraseLoggedKey(Platform& platform, const std::string& text, const ChangeRecorder& record = {});
// The root and the normal key path that a logged key names; nothing when it names
// a root alone.
std::optional<std::pair<RegistryRoot, std::string>> LoggedKeyLocation(const std::string& text);

struct LoggedSetting;
// Puts one logged setting back as it was before the run that logged it: the old
// text again, or the value (INI key, INI section) removed when the run added it.
void UndoRegistrySetting(Platform& platform, const LoggedSetting& setting, const ChangeRecorder& record = {});
void UndoIniSetting(Platform& platform, const LoggedSetting& setting, const ChangeRecorder& record = {});
// Every setting of the log's [Registry Values] and [INI Values], in file order.
void UndoLoggedSettings(Platform& platform, const std::string& logPath, const ChangeRecorder& record = {});

}  // namespace tavlin
