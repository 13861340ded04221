#include "setup/start_up.h"

#include <cstdio>

#include "install/ini_registry.h"
#include "uninstall/del_tree.h"
#include "uninstall/log_entry_rule.h"
#include "uninstall/uninstall_run.h"
#include "platform/platform.h"
#include "support/fields.h"
#include "support/folders.h"
#include "support/paths.h"
#include "support/text.h"

namespace tavlin {

std::string RegisteredUninstallString(Platform& platform, const std::string& keyName) {
    return platform.registry()
        .readString(RegistryRoot::LocalMachine, std::string(kUninstallListKey) + keyName, "UninstallString")
        .value_or("");
}

void ChangeToRegisteredFolder(Platform& platform, const std::string& commandLine) {
    if (commandLine.empty()) return;
    const std::string folder = ExtractFilePath(RegisteredUninstallString(platform, commandLine));
    // A folder that cannot be entered leaves the run where it started.
    if (!folder.empty()) platform.files().setCurrentDirectory(folder);
}

namespace {

constexpr const char* kLockFileName = "tvlp.lock";

}  // namespace

void RemoveStaleExpansionFolders(Platform& platform, TDelTree& delTree, const ChangeRecorder& record) {
    FileSystem& files = platform.files();
    const std::string temp = WindowsFolder(platform) + "\\Temp\\";
    const std::string current = files.currentDirectory();
    for (const auto& found : files.findAll(temp + "tvlp_*")) {
        if ((found.attributes & faDirectory) == 0) continue;
        const std::string folder = temp + found.name;
        const std::string lock = folder + "\\" + kLockFileName;
        // A lock that cannot be deleted is held by a setup that is still running.
        if (files.fileExists(lock) && !files.deleteFile(lock)) continue;
        delTree.Path = folder;
        delTree.DeleteTree();
        if (!files.directoryExists(folder) && record) record("Removed folder " + folder);
    }
    files.setCurrentDirectory(current);  // the tree deletion stepped out of it
}

std::unique_ptr<FileStream> LockExpansionFolder(Platform& platform, const std::string& expandDir) {
    try {
        return platform.files().create(IncludeTrailingBackslash(expandDir) + kLockFileName);
    } catch (const EStreamError&) {
        return nullptr;  // the run goes on; only the clean-up after a stop is lost
    }
}

bool FinishStoppedUninstall(Platform& platform, const std::string& commandLine, const ChangeRecorder& record) {
    if (commandLine.find_first_not_of('\\') == std::string::npos) return false;
    const std::string folder = ExtractFilePath(RegisteredUninstallString(platform, commandLine));
    if (folder.empty()) return false;
    FileSystem& files = platform.files();
    if (files.directoryExists(folder)) {
        for (const auto& found : files.findAll(folder + "*.*")) {
            if (found.name == "." || found.name == ".." || SameTextAscii(found.name, "setup.exe")) continue;
            return false;  // the log or other files: a real uninstall (or an install) is due
        }
        if (files.fileExists(folder + "setup.exe") && files.deleteFile(folder + "setup.exe") && record) {
            record("Deleted file " + folder + "setup.exe");
        }
        if (files.removeDirectory(ExcludeTrailingBackslash(folder)) && record) record("Removed folder " + folder);
    }
    // The folders the installation made above its own, as far as they are empty;
    // one that the path rule refuses stays.
    const LogEntryRule rule(platform, folder, commandLine);
    for (const auto& made : FoldersMadeAbove(platform, commandLine)) {
        if (rule.RefusalOfFolder(made) || !files.directoryExists(made)) continue;
        if (files.removeDirectory(ExcludeTrailingBackslash(made)) && record) record("Removed folder " + made);
    }
    Registry& registry = platform.registry();
    const std::string listKey = kUninstallListKey;
    if (registry.deleteKeyTree(RegistryRoot::LocalMachine, listKey + commandLine) && record) {
        record("Deleted registry key HKEY_LOCAL_MACHINE\\" + listKey + commandLine);
    }
    registry.deleteValue(RegistryRoot::LocalMachine, ExcludeTrailingBackslash(listKey), commandLine);
    return true;
}

namespace {

std::string TwoDigits(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", value % 100);
    return text;
}

// Creates the first free folder of base, base_2, base_3 ...; returns it with its
// trailing "\". When none can be created the plain name is returned and the
// expansion fails later, when it cannot write there.
std::string ClaimExpansionFolder(FileSystem& files, const std::string& base) {
    const std::string parent = ExtractFilePath(base);
    files.forceDirectories(parent);
    for (int n = 1; n < 1000; ++n) {
        const std::string candidate = n == 1 ? base : base + "_" + std::to_string(n);
        if (files.attributes(candidate)) continue;  // taken by another setup (or a file)
        if (files.createDirectory(candidate)) return candidate + "\\";
        if (!files.attributes(candidate)) break;    // not a race: the folder cannot be made
    }
    return base + "\\";
}

// The Windows folder's Temp, spelt as the folder itself is: every path through it
// then matches the stored name exactly, where a file system that keeps letter case
// (wine's, on Linux) would otherwise search the Windows folder for each one.
std::string TempFolder(FileSystem& files, const std::string& windows) {
    for (const auto& found : files.findAll(windows + "\\Temp")) {
        if ((found.attributes & faDirectory) != 0 && SameTextAscii(found.name, "Temp")) {
            return windows + "\\" + found.name + "\\";
        }
    }
    return windows + "\\Temp\\";
}

}  // namespace

void InitSetupState(Platform& platform, SetupState& state, const std::string& commandLine) {
    FileSystem& files = platform.files();
    const LocalTime time = platform.clock().now();
    const std::string stamp = TwoDigits(time.hour) + TwoDigits(time.minute) + TwoDigits(time.second);

    state.SourceDir = IncludeTrailingBackslash(files.currentDirectory());
    if (!commandLine.empty() && ExtractFileName(commandLine).empty()) {
        // The command line names the media folder; it is taken as written.
        if (!files.setCurrentDirectory(commandLine)) {
            throw ESetupStartError("Unable to open the setup folder " + commandLine);
        }
        state.SourceDir = commandLine;
    }

    const std::string windows = WindowsFolder(platform);
    if (state.UninstallMode) {
        state.SegTempDir = state.SourceDir;
        state.ExpandDir = state.SourceDir;
    } else {
        const std::string temp = TempFolder(files, windows);
        state.SegTempDir = temp;
        state.ExpandDir = ClaimExpansionFolder(files, temp + "tvlp_" + stamp);
    }

    for (StringList* list : {&state.ArchiveFileList, &state.InstallFiles, &state.InstallTargets, &state.AutoexecLines,
                             &state.ConfigSysLines, &state.IniRegistryEntries, &state.DesktopItems, &state.LaunchApps,
                             &state.LaunchAppLocations, &state.PreviousUninstallLines}) {
        list->Clear();
    }
}

std::string SelfRemovalBatchPath(Platform& platform) { return WindowsFolder(platform) + "\\Temp\\vivUro.bat"; }

StringList SelfRemovalBatchLines(Platform& platform, const std::string& sourceDir, const SelfRemovalExtras& extras) {
    std::string rest = ShortPathOf(platform, sourceDir);
    std::vector<std::string> components;
    while (rest.find('\\') != std::string::npos) {
        std::string component;
        SplitFirstField(rest, '\\', component);
        components.push_back(component);
    }
    StringList lines;
    lines.Add("Rem Goto Drive of Installed Files.");
    if (components.empty()) {  // no drive to go to: nothing can be removed
        lines.Add("exit");
        return lines;
    }
    lines.Add(components.front());
    lines.Add("cd\\");
    for (std::size_t k = 1; k < components.size(); ++k) lines.Add("cd " + components[k]);
    lines.Add("del setup.exe");
    // The shell may start the batch before this program has ended, while its file
    // is still in use: it tries again after growing pauses (ping is the pause
    // every command interpreter has), about 15 s in all, and never loops.
    for (const char* pings : {"2", "3", "5", "9"}) {
        lines.Add(std::string("if exist setup.exe ping -n ") + pings + " 127.0.0.1 > nul");
        lines.Add("if exist setup.exe del setup.exe");
    }
    // A program in the root of its drive has no folder to remove.
    if (components.size() > 1) {
        lines.Add("cd..");
        lines.Add("rd " + ShortPathOf(platform, components.back()));
        // The parents the installation made, as far as they are empty by now.
        for (std::size_t up = 1; up <= extras.FoldersAbove && up + 1 < components.size(); ++up) {
            lines.Add("cd..");
            lines.Add("rd " + components[components.size() - 1 - up]);
        }
    }
    if (!extras.EntryName.empty()) {
        // Only once the program is gone: until then the entry can start the
        // uninstall again, which finishes what is left.
        std::string name;
        for (const char c : extras.EntryName) name += c == '%' ? std::string("%%") : std::string(1, c);
        lines.Add("if not exist \"" + ShortPathOf(platform, sourceDir) + "setup.exe\" reg delete \"HKLM\\" +
                  kUninstallListKey + name + "\" /f");
    }
    lines.Add("exit");
    return lines;
}

SelfRemovalExtras SelfRemovalExtrasOf(Platform& platform, const std::string& sourceDir, const std::string& entryName) {
    SelfRemovalExtras extras;
    if (BatchDeletesUninstallEntry(platform, entryName)) extras.EntryName = entryName;
    // The parents that the entry lists, nearest first, without a gap.
    const auto made = FoldersMadeAbove(platform, entryName);
    FileSystem& files = platform.files();
    const auto key = [&files](const std::string& folder) {
        const std::string full = ExcludeTrailingBackslash(files.fullPathName(folder));
        return UpperCaseAscii(ExcludeTrailingBackslash(files.shortPathName(full).value_or(full)));
    };
    std::string level = ExcludeTrailingBackslash(sourceDir);
    for (;;) {
        const auto cut = level.find_last_of('\\');
        if (cut == std::string::npos || cut < 3) break;
        level.erase(cut);
        bool listed = false;
        for (const auto& folder : made) listed = listed || key(folder) == key(level);
        if (!listed) break;
        ++extras.FoldersAbove;
    }
    return extras;
}

void WriteSelfRemovalBatch(Platform& platform, const std::string& sourceDir, const SelfRemovalExtras& extras) {
    platform.files().forceDirectories(WindowsFolder(platform) + "\\Temp");
    SelfRemovalBatchLines(platform, sourceDir, extras).SaveToFile(platform.files(), SelfRemovalBatchPath(platform));
}

}  // namespace tavlin
