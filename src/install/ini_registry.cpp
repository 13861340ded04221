// Applying, clearing and erasing the INI and registry settings of the
// configuration, and the product's entry in the list of installed programs.
#include "install/ini_registry.h"

#include <array>
#include <cstdint>
#include <set>

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

void SetStringValue(Platform& platform, RegistryRoot root, const std::string& key, const std::string& name,
                    const std::string& value, const ChangeRecorder& record) {
    if (!platform.registry().writeString(root, key, name, value)) {
        throw ERegistryException("Failed to set data for '" + name + "'");
    }
    Record(record, "Set registry value " + RootName(root) + "\\" + key + "\\" + name + " = " + value);
}

void SetDwordValue(Platform& platform, RegistryRoot root, const std::string& key, const std::string& name,
                   std::uint32_t value, const ChangeRecorder& record) {
    if (!platform.registry().writeDword(root, key, name, value)) {
        throw ERegistryException("Failed to set data for '" + name + "'");
    }
    Record(record, "Set registry value " + RootName(root) + "\\" + key + "\\" + name + " = " + std::to_string(value));
}

// The size of the installed files in KiB, rounded up; each target counts once.
std::uint32_t InstalledKiB(Platform& platform, const SetupState& state) {
    std::set<std::string> seen;
    std::uint64_t bytes = 0;
    for (const auto& target : state.InstallTargets) {
        if (ExtractFileName(target).empty() || !seen.insert(UpperCaseAscii(target)).second) continue;
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
    for (const auto& entry : context.state.IniRegistryEntries) {
        context.ui.ProcessMessages();
        const auto fields = CutEntry(entry);
        if (Contains(fields[0], ".INI")) {
            // Only a name below the Windows folder is cleared; one that climbs out
            // or names a device could delete a file the product never made.
            if (!IsSafePath(fields[0], PathForm::Relative)) continue;
            const std::string path = WindowsFolder(platform) + "\\" + fields[0];
            if (IsSharedWindowsIniFile(platform, path)) continue;
            if (platform.files().deleteFile(path)) Record(context.RecordChange, "Deleted file " + path);
        } else {
            EraseLoggedKey(platform, fields[0] + fields[1], context.RecordChange);
        }
    }
}

void ApplyIniRegistryEntries(InstallContext& context, UninstallLog& log) {
    Platform& platform = context.platform;
    for (const auto& entry : context.state.IniRegistryEntries) {
        context.ui.ProcessMessages();
        auto [file, section, key, value] = CutEntry(entry);
        value = ExpandPathMacros(platform, context.Main_Dir, value, false);
        file = ExpandPathMacros(platform, context.Main_Dir, file, true);

        if (Contains(file, ".")) {
            const std::string path = file.size() > 1 && file[1] == ':' ? file : WindowsFolder(platform) + "\\" + file;
            // The uninstall deletes the files it logs; a Windows INI file keeps the
            // key instead of being offered for deletion.
            if (!IsSharedWindowsIniFile(platform, path)) log.AddFile(path);
            IniFile(platform, file).WriteString(section, key, value);
            Record(context.RecordChange, "Wrote INI key [" + section + "] " + key + " = " + value + " in " + path);
            continue;
        }

        log.AddRegistryKey(file + "\\" + section);
        RegistryRoot root;
        std::string keyPath;
        if (Contains(file, "HKEY_LOCAL_MACHINE")) {
            root = RegistryRoot::LocalMachine;
            keyPath = From(file, 19) + "\\" + section;
        } else {
            // Any other root name loses as many characters as HKEY_CURRENT_USER\ has.
            root = RegistryRoot::CurrentUser;
            keyPath = JoinKey(From(file, 18), section);
        }
        const std::string normal = NormalKeyPath(keyPath);
        if (!platform.registry().createKey(root, normal)) throw ERegistryException("Failed to create key " + keyPath);
        SetStringValue(platform, root, normal, key, value, context.RecordChange);
    }
}

void RegisterUninstallEntry(InstallContext& context) {
    Platform& platform = context.platform;
    context.ui.ProcessMessages();
    const std::string& title = context.Title;
    if (title.empty()) return;
    const std::string key = NormalKeyPath(std::string(kUninstallListKey) + title);
    constexpr RegistryRoot root = RegistryRoot::LocalMachine;
    if (!platform.registry().createKey(root, key)) return;  // no rights: the product stays unlisted

    const std::string folder = context.Main_Dir;
    const ChangeRecorder& record = context.RecordChange;
    SetStringValue(platform, root, key, "DisplayName", title, record);
    SetStringValue(platform, root, key, "UninstallString", folder + "setup.exe " + title, record);
    SetStringValue(platform, root, key, "QuietUninstallString", folder + "setup.exe /VERYSILENT " + title, record);
    SetStringValue(platform, root, key, "InstallLocation", folder, record);
    SetStringValue(platform, root, key, "DisplayIcon", folder + "setup.exe", record);
    SetDwordValue(platform, root, key, "EstimatedSize", InstalledKiB(platform, context.state), record);
    SetDwordValue(platform, root, key, "NoModify", 1, record);
    SetDwordValue(platform, root, key, "NoRepair", 1, record);
}

bool EraseLoggedKey(Platform& platform, const std::string& text, const ChangeRecorder& record) {
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
    if (below.empty()) return false;

    const std::string keyPath = NormalKeyPath(JoinKey(first, below));
    if (IsSharedRegistryKey(keyPath)) return false;
    Registry& registry = platform.registry();
    if (!registry.openKey(root, keyPath) || !registry.deleteKeyTree(root, keyPath)) return false;
    Record(record, "Deleted registry key " + RootName(root) + "\\" + keyPath);
    return true;
}

}  // namespace tavlin
