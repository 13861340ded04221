// Applying, clearing and erasing the INI and registry settings of the
// configuration, and the product's entry in the list of installed programs.
#include "install/ini_registry.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "install/path_macros.h"
#include "install/record_change.h"
#include "install/shared_settings.h"
#include "install/uninstall_log.h"
#include "platform/platform.h"
#include "support/fields.h"
#include "support/folders.h"
#include "support/ini_file.h"
#include "support/paths.h"
#include "support/safe_path.h"
#include "support/text.h"

namespace tavlin {

namespace {

// The four fields of an entry, upper-cased; text after a fourth comma is lost.
std::array<std::string, 4> CutEntry(const std::string& entry) {
    std::string rest = UpperCaseAscii(entry);
    std::array<std::string, 4> fields;
    for (auto& field : fields) SplitFirstField(rest, ',', field);
    return fields;
}

// Text from position on, empty when the text is shorter.
std::string From(const std::string& text, std::size_t position) {
    return position < text.size() ? text.substr(position) : std::string();
}

std::string JoinKey(const std::string& parent, const std::string& child) {
    return parent.empty() ? child : parent + "\\" + child;
}

// The error that ends the run, with the message its users know; the system's
// reason (the call and its text) goes into the record of the run beside it.
ERegistryException RegistryFailure(Platform& platform, const InstallContext& context, const std::string& message) {
    const std::string reason = platform.registry().lastFailure();
    Record(context.RecordNote, reason.empty() ? message : message + ": " + reason);
    return ERegistryException(message);
}

void SetStringValue(Platform& platform, const InstallContext& context, RegistryRoot root, const std::string& key,
                    const std::string& name, const std::string& value) {
    if (!platform.registry().writeString(root, key, name, value)) {
        throw RegistryFailure(platform, context, "Failed to set data for '" + name + "'");
    }
    Record(context.RecordChange, "Set registry value " + RootName(root) + "\\" + key + "\\" + name + " = " + value);
}

void SetDwordValue(Platform& platform, const InstallContext& context, RegistryRoot root, const std::string& key,
                   const std::string& name, std::uint32_t value) {
    if (!platform.registry().writeDword(root, key, name, value)) {
        throw RegistryFailure(platform, context, "Failed to set data for '" + name + "'");
    }
    Record(context.RecordChange,
           "Set registry value " + RootName(root) + "\\" + key + "\\" + name + " = " + std::to_string(value));
}

// Where one configured entry writes: an INI file's key or a registry value.
struct EntryTarget {
    bool ini = false;
    std::string iniFile;     // as the profile functions take it (a bare name: the Windows folder)
    std::string iniPath;     // the file's full path, as the log names it
    RegistryRoot root = RegistryRoot::CurrentUser;
    std::string keyPath;     // normal form below the root
    std::string rawKeyPath;  // as the fields give it, for the error message
    std::string loggedKey;   // fields 1 and 2 joined by "\", as the log names a created key
    std::string section;
    std::string name;
    std::string value;
};

EntryTarget ResolveTarget(Platform& platform, const std::string& Main_Dir, const std::string& entry) {
    auto [file, section, key, value] = CutEntry(entry);
    EntryTarget target;
    target.value = ExpandPathMacros(platform, Main_Dir, value, false);
    file = ExpandPathMacros(platform, Main_Dir, file, true);
    target.section = section;
    target.name = key;
    if (Contains(file, ".")) {
        target.ini = true;
        target.iniFile = file;
        target.iniPath = file.size() > 1 && file[1] == ':' ? file : WindowsFolder(platform) + "\\" + file;
        return target;
    }
    target.loggedKey = file + "\\" + section;
    if (Contains(file, "HKEY_LOCAL_MACHINE")) {
        target.root = RegistryRoot::LocalMachine;
        target.rawKeyPath = From(file, 19) + "\\" + section;
    } else {
        // Any other root name loses as many characters as HKEY_CURRENT_USER\ has.
        target.root = RegistryRoot::CurrentUser;
        target.rawKeyPath = JoinKey(From(file, 18), section);
    }
    target.keyPath = NormalKeyPath(target.rawKeyPath);
    return target;
}

// The highest key on the path that does not exist; nothing when the whole path does.
std::optional<std::string> FirstMissingKey(Registry& registry, RegistryRoot root, const std::string& normal) {
    std::size_t end = 0;
    while (end != std::string::npos) {
        end = normal.find('\\', end + 1);
        const std::string prefix = normal.substr(0, end);
        if (!registry.openKey(root, prefix)) return prefix;
    }
    return std::nullopt;
}

// The profile functions cannot tell a section without keys from a missing one;
// such a section is taken as missing, so that the uninstall removes it whole.
bool SectionExists(Profile& profile, const std::string& file, const std::string& section) {
    return !profile.readKeyNames(file, section).empty();
}

std::optional<std::string> IniValueOf(Profile& profile, const std::string& file, const std::string& section,
                                      const std::string& key) {
    for (const auto& name : profile.readKeyNames(file, section)) {
        if (SameTextAscii(name, key)) return profile.readString(file, section, key, "");
    }
    return std::nullopt;
}

// The size of the installed files in KiB, rounded up; each target counts once.
std::uint32_t InstalledKiB(Platform& platform, const SetupState& state) {
    std::set<std::string> seen;
    // Before the copy most folders are not there yet, and nothing in them needs a look.
    std::map<std::string, bool> folderThere;
    std::uint64_t bytes = 0;
    for (const auto& target : state.InstallTargets) {
        if (ExtractFileName(target).empty() || !seen.insert(UpperCaseAscii(target)).second) continue;
        const std::string folder = UpperCaseAscii(ExtractFilePath(target));
        auto there = folderThere.find(folder);
        if (there == folderThere.end()) {
            there = folderThere.emplace(folder, folder.empty() || platform.files().directoryExists(ExtractFilePath(target))).first;
        }
        if (!there->second) continue;
        if (target.find_first_of("*?") == std::string::npos) {
            // One file: its entry, without a search of its folder.
            bytes += platform.files().fileSize(target).value_or(0);
            continue;
        }
        for (const auto& entry : platform.files().findAll(target)) {
            if ((entry.attributes & faDirectory) == 0) bytes += entry.size;
        }
    }
    const std::uint64_t kib = (bytes + 1023) / 1024;
    return kib > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<std::uint32_t>(kib);
}

}  // namespace

void ClearIniRegistryTargets(InstallContext& context) {
    Platform& platform = context.platform;
    // Only what the product's own earlier log in this folder names is its own to
    // clear; a file or key that the log does not name belongs to someone else.
    const std::string earlierLog = IncludeTrailingBackslash(context.Main_Dir) + "uninstaller.cfg";
    const bool haveLog = platform.files().fileExists(earlierLog);
    std::set<std::string> loggedFiles;
    std::vector<std::pair<RegistryRoot, std::string>> loggedKeys;
    std::vector<LoggedSetting> registryValues, iniValues;
    if (haveLog) {
        IniFile log(platform, earlierLog);
        for (const auto& file : log.ReadKeyNames("Files")) loggedFiles.insert(UpperCaseAscii(file));
        for (const auto& key : log.ReadKeyNames("Registry")) {
            if (auto location = LoggedKeyLocation(key)) loggedKeys.push_back(*location);
        }
        registryValues = ReadLoggedSettings(platform, earlierLog, kRegistryValuesSection);
        iniValues = ReadLoggedSettings(platform, earlierLog, kIniValuesSection);
    }

    for (const auto& entry : context.state.IniRegistryEntries) {
        context.ui.ProcessMessages();
        if (!haveLog) continue;
        const auto target = ResolveTarget(platform, context.Main_Dir, entry);
        if (target.ini) {
            // A name that climbs out of its folder or names a device could delete a
            // file the product never made, whatever the log says.
            if (!IsSafePath(target.iniPath, PathForm::Absolute)) continue;
            if (loggedFiles.count(UpperCaseAscii(target.iniPath)) && !IsSharedWindowsIniFile(platform, target.iniPath) &&
                platform.files().deleteFile(target.iniPath)) {
                Record(context.RecordChange, "Deleted file " + target.iniPath);
            }
            for (const auto& setting : iniValues) {
                if (SameTextAscii(setting.owner, target.iniPath + "|" + target.section)) {
                    UndoIniSetting(platform, setting, context.RecordChange);
                }
            }
            continue;
        }
        for (const auto& [root, key] : loggedKeys) {
            if (root == target.root && (SameTextAscii(key, target.keyPath) ||
                                        StartsWith(UpperCaseAscii(target.keyPath), UpperCaseAscii(key) + "\\"))) {
                EraseLoggedKey(platform, RootName(root) + "\\" + key, context.RecordChange);
            }
        }
        for (const auto& setting : registryValues) {
            if (SameTextAscii(setting.owner, RootName(target.root) + "\\" + target.keyPath)) {
                UndoRegistrySetting(platform, setting, context.RecordChange);
            }
        }
    }
}

void ApplyIniRegistryEntries(InstallContext& context, UninstallLog& log) {
    Platform& platform = context.platform;
    Registry& registry = platform.registry();
    // What this run created: settings written into them need no record of their own.
    std::set<std::string> createdFiles;
    std::vector<std::pair<RegistryRoot, std::string>> createdKeys;
    for (const auto& entry : context.state.IniRegistryEntries) {
        context.ui.ProcessMessages();
        const auto target = ResolveTarget(platform, context.Main_Dir, entry);

        if (target.ini) {
            const std::string& path = target.iniPath;
            const bool shared = IsSharedWindowsIniFile(platform, path);
            if (createdFiles.count(UpperCaseAscii(path))) {
                // Ours from this run: it goes whole at the uninstall.
            } else if (!shared && !platform.files().fileExists(path)) {
                log.AddFile(path);
                createdFiles.insert(UpperCaseAscii(path));
            } else {
                // Another program's file (or a Windows one): only this key is ours,
                // and the section too when it is new.
                Profile& profile = platform.profile();
                if (!SectionExists(profile, path, target.section)) {
                    log.AddIniValue(path, target.section, "", std::nullopt);
                } else {
                    log.AddIniValue(path, target.section, target.name, IniValueOf(profile, path, target.section, target.name));
                }
            }
            IniFile(platform, target.iniFile).WriteString(target.section, target.name, target.value);
            Record(context.RecordChange, "Wrote INI key [" + target.section + "] " + target.name + " = " + target.value +
                                             " in " + path);
            continue;
        }

        const RegistryRoot root = target.root;
        const std::string& normal = target.keyPath;
        const bool insideCreated = std::any_of(createdKeys.begin(), createdKeys.end(), [&](const auto& created) {
            return created.first == root && (SameTextAscii(created.second, normal) ||
                                             StartsWith(UpperCaseAscii(normal), UpperCaseAscii(created.second) + "\\"));
        });
        if (!insideCreated) {
            // The highest key of the path that does not exist yet is the one this run
            // creates: the uninstall removes it whole. When the whole path exists,
            // only the value is ours.
            const auto created = FirstMissingKey(registry, root, normal);
            if (created && SameTextAscii(*created, normal)) {
                log.AddRegistryKey(target.loggedKey);
                createdKeys.emplace_back(root, normal);
            } else if (created) {
                log.AddRegistryKey(RootName(root) + "\\\\" + UpperCaseAscii(*created));
                createdKeys.emplace_back(root, *created);
            } else {
                log.AddRegistryValue(RootName(root) + "\\" + normal, target.name,
                                     registry.readString(root, normal, target.name));
            }
        }
        if (!registry.createKey(root, normal)) {
            throw RegistryFailure(platform, context, "Failed to create key " + target.rawKeyPath);
        }
        SetStringValue(platform, context, root, normal, target.name, target.value);
    }
}

void RegisterUninstallEntry(InstallContext& context) {
    Platform& platform = context.platform;
    context.ui.ProcessMessages();
    const std::string& title = context.Title;
    if (title.empty()) return;
    const std::string key = NormalKeyPath(std::string(kUninstallListKey) + title);
    constexpr RegistryRoot root = RegistryRoot::LocalMachine;
    if (!platform.registry().createKey(root, key)) {
        // No rights: the product stays unlisted, and the record says why.
        const std::string reason = platform.registry().lastFailure();
        Record(context.RecordNote, "Not listed among the installed programs" + (reason.empty() ? "" : ": " + reason));
        return;
    }

    const std::string folder = context.Main_Dir;
    // The command first: an entry that has it can always be run to the end.
    SetStringValue(platform, context, root, key, "UninstallString", folder + "setup.exe " + title);
    SetStringValue(platform, context, root, key, "DisplayName", title);
    SetStringValue(platform, context, root, key, "QuietUninstallString", folder + "setup.exe /VERYSILENT " + title);
    SetStringValue(platform, context, root, key, "InstallLocation", folder);
    SetStringValue(platform, context, root, key, "DisplayIcon", folder + "setup.exe");
    SetDwordValue(platform, context, root, key, "EstimatedSize", InstalledKiB(platform, context.state));
    SetDwordValue(platform, context, root, key, "NoModify", 1);
    SetDwordValue(platform, context, root, key, "NoRepair", 1);
}

namespace {

std::string CreatedFolderValue(std::size_t number) { return "Created Folder " + std::to_string(number); }

}  // namespace

void RecordFoldersMadeAbove(InstallContext& context, const std::vector<std::string>& folders) {
    Platform& platform = context.platform;
    const std::string key = NormalKeyPath(std::string(kUninstallListKey) + context.Title);
    if (context.Title.empty() || !platform.registry().openKey(RegistryRoot::LocalMachine, key)) return;  // unlisted
    // Numbers after those an earlier installation into the same place wrote.
    std::size_t number = 1;
    while (platform.registry().readString(RegistryRoot::LocalMachine, key, CreatedFolderValue(number))) ++number;
    for (const auto& folder : folders) {
        SetStringValue(platform, context, RegistryRoot::LocalMachine, key, CreatedFolderValue(number++), folder);
    }
}

std::vector<std::string> FoldersMadeAbove(Platform& platform, const std::string& entryName) {
    std::vector<std::string> folders;
    if (entryName.find_first_not_of('\\') == std::string::npos) return folders;
    const std::string key = std::string(kUninstallListKey) + entryName;
    for (std::size_t number = 1;; ++number) {
        const auto folder = platform.registry().readString(RegistryRoot::LocalMachine, key, CreatedFolderValue(number));
        if (!folder) return folders;
        folders.push_back(*folder);
    }
}

std::optional<std::pair<RegistryRoot, std::string>> LoggedKeyLocation(const std::string& text) {
    std::string rest = text;
    RegistryRoot root = RegistryRoot::CurrentUser;
    const auto firstSlash = rest.find('\\');
    const std::string rootName = UpperCaseAscii(rest.substr(0, firstSlash == std::string::npos ? 0 : firstSlash));
    if (StartsWith(rootName, "HKEY_")) {
        if (Contains(rootName, "HKEY_LOCAL_MACHINE")) root = RegistryRoot::LocalMachine;
        rest.erase(0, firstSlash + 1);
    }
    const auto cut = rest.find('\\');
    const std::string first = cut == std::string::npos ? std::string() : rest.substr(0, cut);
    const std::string below = cut == std::string::npos ? rest : rest.substr(cut + 1);
    if (below.empty()) return std::nullopt;
    return std::make_pair(root, NormalKeyPath(JoinKey(first, below)));
}

bool EraseLoggedKey(Platform& platform, const std::string& text, const ChangeRecorder& record) {
    const auto location = LoggedKeyLocation(text);
    if (!location) return false;
    const auto& [root, keyPath] = *location;
    if (IsSharedRegistryKey(keyPath)) return false;
    Registry& registry = platform.registry();
    if (!registry.openKey(root, keyPath) || !registry.deleteKeyTree(root, keyPath)) return false;
    Record(record, "Deleted registry key " + RootName(root) + "\\" + keyPath);
    return true;
}

void UndoRegistrySetting(Platform& platform, const LoggedSetting& setting, const ChangeRecorder& record) {
    const auto location = LoggedKeyLocation(setting.owner);
    if (!location) return;
    const auto& [root, keyPath] = *location;
    Registry& registry = platform.registry();
    const std::string where = RootName(root) + "\\" + keyPath + "\\" + setting.name;
    if (setting.previous) {
        if (registry.readString(root, keyPath, setting.name) == setting.previous) return;
        if (registry.openKey(root, keyPath) && registry.writeString(root, keyPath, setting.name, *setting.previous)) {
            Record(record, "Restored registry value " + where + " = " + *setting.previous);
        }
    } else if (registry.readString(root, keyPath, setting.name) && registry.deleteValue(root, keyPath, setting.name)) {
        Record(record, "Deleted registry value " + where);
    }
}

void UndoIniSetting(Platform& platform, const LoggedSetting& setting, const ChangeRecorder& record) {
    const auto cut = setting.owner.find('|');
    if (cut == std::string::npos) return;
    const std::string file = setting.owner.substr(0, cut);
    const std::string section = setting.owner.substr(cut + 1);
    if (!platform.files().fileExists(file)) return;
    Profile& profile = platform.profile();
    if (setting.previous) {
        if (IniValueOf(profile, file, section, setting.name) == setting.previous) return;
        if (profile.writeString(file, section, setting.name, *setting.previous)) {
            Record(record, "Restored INI key [" + section + "] " + setting.name + " = " + *setting.previous + " in " + file);
        }
        return;
    }
    if (setting.name.empty() ? !SectionExists(profile, file, section)
                             : !IniValueOf(profile, file, section, setting.name)) {
        return;
    }
    if (profile.deleteKey(file, section, setting.name)) {
        Record(record, setting.name.empty() ? "Deleted INI section [" + section + "] in " + file
                                            : "Deleted INI key [" + section + "] " + setting.name + " in " + file);
    }
}

void UndoLoggedSettings(Platform& platform, const std::string& logPath, const ChangeRecorder& record) {
    for (const auto& setting : ReadLoggedSettings(platform, logPath, kRegistryValuesSection)) {
        UndoRegistrySetting(platform, setting, record);
    }
    for (const auto& setting : ReadLoggedSettings(platform, logPath, kIniValuesSection)) {
        UndoIniSetting(platform, setting, record);
    }
}

}  // namespace tavlin
