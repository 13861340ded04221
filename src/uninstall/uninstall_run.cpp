// The uninstall run: undoes what the uninstall log lists (files, start-up file
// blocks, folders, registry keys), removes the uninstall entry and the
// installation folder, and closes the setup screen. Folders that hold more than
// the product (drive roots, the Windows folders, Program Files, the shell
// folders) are never emptied by pattern nor removed.
#include "uninstall/uninstall_run.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "install/ini_registry.h"
#include "install/protected_folders.h"
#include "install/shared_settings.h"
#include "install/startup_files.h"
#include "install/uninstall_log.h"
#include "platform/platform.h"
#include "support/folders.h"
#include "support/ini_file.h"
#include "support/paths.h"
#include "support/text.h"
#include "uninstall/del_tree.h"
#include "uninstall/log_entry_rule.h"

namespace tavlin {

namespace {

// The folders whose files Windows itself may use, upper-cased.
std::array<std::string, 4> UpperSystemFolders(Platform& platform) {
    const std::string windows = UpperCaseAscii(WindowsFolder(platform));
    return {windows + "\\", windows + "\\SYSTEM\\", windows + "\\SYSTEM32\\", windows + "\\FONTS\\"};
}

// Whether a logged file should be confirmed before it goes: anything in a Windows
// folder, except shortcuts (the Start menu lies below the Windows folder).
bool MayBeUsedByWindows(const std::array<std::string, 4>& systemFolders, const std::string& entry) {
    const std::string upper = UpperCaseAscii(entry);
    if (Contains(upper, ".LNK")) return false;
    for (const auto& folder : systemFolders) {
        if (Contains(upper, folder)) return true;
    }
    return false;
}

bool IsPattern(const std::string& name) { return name.find_first_of("*?") != std::string::npos; }

// A settings file of the product's own in a Windows folder: one INI file named
// singly, not one of those that Windows shares. The installation logs an INI file
// this way only when it made the file; one that existed has its values logged
// instead. A silent run removes it; other files there stay unless told otherwise.
bool IsProductIniFile(Platform& platform, const std::string& entry) {
    const std::string name = ExtractFileName(entry);
    return !IsPattern(name) && EndsWith(UpperCaseAscii(name), ".INI") && !IsSharedWindowsIniFile(platform, entry);
}

// The files of the installation folder that a run needs when it is started again
// after a stop: they go last, the log itself at the very end.
bool IsOwnFile(const std::string& name) {
    for (const char* own : {"uninstaller.cfg", "install.cfg", "finstall.cfg", "setup.exe"}) {
        if (SameTextAscii(name, own)) return true;
    }
    return false;
}

// One form for a folder however it is written: absolute, short where it exists,
// upper case, without a trailing "\".
std::string FolderKey(FileSystem& files, const std::string& folder) {
    const std::string full = ExcludeTrailingBackslash(files.fullPathName(folder));
    return UpperCaseAscii(ExcludeTrailingBackslash(files.shortPathName(full).value_or(full)));
}

class UninstallRun {
public:
    explicit UninstallRun(UninstallContext& context)
        : context_(context),
          platform_(context.platform),
          files_(context.platform.files()),
          protectedFolders_(context.platform),
          rule_(context.platform, context.state.ExpandDir, context.UninstallName) {}

    void Run() {
        const auto systemFolders = UpperSystemFolders(platform_);
        Pump();
        const std::string logPath = context_.UninstallFolder + "uninstaller.cfg";
        IniFile log(platform_, logPath);
        const auto fileEntries = log.ReadKeyNames("Files");
        const auto folderEntries = log.ReadKeyNames("Folder");
        const auto registryEntries = log.ReadKeyNames("Registry");
        // Folders made above the installation folder can only go once it has gone.
        std::vector<std::string> createdElsewhere, createdAbove;
        const std::string installKey = FolderKey(files_, context_.state.ExpandDir);
        for (const auto& folder : log.ReadKeyNames(kCreatedFoldersSection)) {
            const std::string key = FolderKey(files_, folder);
            (StartsWith(installKey + "\\", key + "\\") ? createdAbove : createdElsewhere).push_back(folder);
        }

        if (fileEntries.empty()) {
            context_.ui.MessageBox("Unable to Find uninstall.cfg!!");
            Pump();
        } else {
            StartProgress(fileEntries.size() + folderEntries.size() + registryEntries.size());
            RemoveFiles(systemFolders, fileEntries);
            RemoveStartupBlocks(log.ReadKeyNames(kStartupFilesSection));
            RemoveFolders(folderEntries);
            EraseRegistryKeys(registryEntries);
            UndoLoggedSettings(platform_, logPath, context_.RecordChange);
        }
        // While the log is still there, so that a run stopped here can be repeated.
        RemoveCreatedFolders(createdElsewhere);
        // The installation folder is the product's when the log empties it by
        // pattern; one that held other files before is left with them. Without a
        // log nothing says otherwise, and the folder goes as it always did.
        folderIsOurs_ = fileEntries.empty();
        for (const auto& entry : fileEntries) {
            if (IsPattern(ExtractFileName(entry)) && !rule_.RefusalOfFile(entry) &&
                FolderKey(files_, ExtractFilePath(entry)) == installKey) {
                folderIsOurs_ = true;
            }
        }
        Finish(createdAbove);
    }

private:
    void Pump() { context_.ui.ProcessMessages(); }

    void Record(const std::string& change) {
        if (context_.RecordChange) context_.RecordChange(change);
    }

    // True when the rule refuses the entry; the record says why.
    bool Refused(const std::string& entry, const std::optional<std::string>& refusal) {
        if (refusal && context_.RecordNote) context_.RecordNote("Refused log entry " + entry + ": " + *refusal);
        return refusal.has_value();
    }

    void StartProgress(std::size_t steps) {
        context_.ProgressCount = 0;
        context_.ui.StartProgress(static_cast<int>(steps), ProgressAnimation::DeleteFile);
    }

    void Step(const std::string& status1, const std::string& status2) {
        ++context_.ProgressCount;
        context_.ui.UpdateProgress(context_.ProgressCount, status1, status2);
        Pump();
    }

    void RemoveFiles(const std::array<std::string, 4>& systemFolders, const std::vector<std::string>& entries) {
        bool deleteAll = false;
        for (const auto& entry : entries) {
            if (Refused(entry, rule_.RefusalOfFile(entry))) {
                Step("Un-Installing ..", ExtractFileName(entry));
                continue;
            }
            bool remove = true;
            if (!deleteAll && MayBeUsedByWindows(systemFolders, entry)) {
                const auto answer = context_.ui.MessageBox(
                    "File Possible used by Windows.\r" + entry + "\rDelete Anyway?", MessageButtons::YesNoAll,
                    MessageKind::Confirmation,
                    IsProductIniFile(platform_, entry) ? MessageResult::Yes : MessageResult::No);
                remove = answer == MessageResult::Yes || answer == MessageResult::All;
                deleteAll = answer == MessageResult::All;
            }
            if (remove) {
                Pump();
                DeleteLoggedFiles(ExtractFilePath(entry), ExtractFileName(entry));
            }
            Step("Un-Installing ..", ExtractFileName(entry));
        }
    }

    // Every file of folder that matches name; failures are skipped.
    void DeleteLoggedFiles(const std::string& folder, const std::string& name) {
        const bool installationFolder = FolderKey(files_, folder) == FolderKey(files_, context_.state.ExpandDir);
        for (const auto& found : files_.find(folder + name, faAnyFile)) {
            if (found.attributes & faDirectory) continue;
            if (installationFolder && IsOwnFile(found.name)) continue;  // removed at the end
            const std::string path = folder + found.name;
            if (files_.deleteFile(path)) Record("Deleted file " + path);  // in use or read-only: it stays
        }
    }

    void RemoveStartupBlocks(const std::vector<std::string>& createdFiles) {
        Pump();
        const ChangeRecorder record = context_.RecordChange;
        for (const char* name : {"AUTOEXEC.BAT", "CONFIG.SYS"}) {
            const std::string path = StartupFilePathOf(platform_, name);
            bool created = false;
            for (const auto& file : createdFiles) created = created || SameTextAscii(file, path);
            RemoveBlockFromFile(platform_, name, context_.Title, record, created);
        }
    }

    void RemoveFolders(const std::vector<std::string>& entries) {
        for (const auto& entry : entries) {
            Step("Un-Installing .. Folders", entry);
            if (Refused(entry, rule_.RefusalOfFolder(entry))) continue;
            // Only an empty folder goes; one that still holds something stays.
            if (files_.removeDirectory(entry)) Record("Removed folder " + entry);
        }
    }

    // Folders the run made, the deepest first whatever order they were logged in;
    // one that holds anything by now (or that the path rule refuses) stays.
    void RemoveCreatedFolders(std::vector<std::string> folders) {
        const auto depth = [](const std::string& folder) {
            return std::count(folder.begin(), folder.end(), '\\') - (EndsWith(folder, "\\") ? 1 : 0);
        };
        std::stable_sort(folders.begin(), folders.end(),
                         [&](const std::string& a, const std::string& b) { return depth(a) > depth(b); });
        for (const auto& folder : folders) {
            if (Refused(folder, rule_.RefusalOfFolder(folder))) continue;
            if (files_.directoryExists(folder) && files_.removeDirectory(ExcludeTrailingBackslash(folder))) {
                Record("Removed folder " + folder);
            }
        }
    }

    void EraseRegistryKeys(const std::vector<std::string>& entries) {
        Pump();
        for (const auto& entry : entries) {
            Step("Un-Installing ..", "Registry Settings");
            EraseLoggedKey(platform_, entry, context_.RecordChange);
        }
    }

    void Finish(const std::vector<std::string>& createdAbove) {
        if (context_.SetSecondTextLine) context_.SetSecondTextLine("All Files,Folders and Icons Removed");
        Pump();
        // The log and the uninstall entry go last, so that a run that stops before
        // the end can be started again from the entry and finish the job.
        RemoveInstallationFolder();
        RemoveCreatedFolders(createdAbove);
        RemoveUninstallEntry();
        if (context_.CloseForm) context_.CloseForm();
    }

    void RemoveUninstallEntry() {
        // Without a name the entry's key would be the whole list of installed
        // programs; there is nothing of ours to remove then.
        const std::string& name = context_.UninstallName;
        if (name.find_first_not_of('\\') == std::string::npos) return;
        Registry& registry = platform_.registry();
        const std::string listKey = kUninstallListKey;
        // A running program stays in its folder until the self-removal batch file
        // deletes it; where the batch deletes the entry after it, the entry stays
        // until then, so that a stop in between leaves it to finish the job.
        const bool programStays = files_.fileExists(IncludeTrailingBackslash(context_.state.ExpandDir) + "setup.exe");
        if (!(programStays && BatchDeletesUninstallEntry(platform_, name)) &&
            registry.deleteKeyTree(RegistryRoot::LocalMachine, listKey + name)) {
            Record("Deleted registry key HKEY_LOCAL_MACHINE\\" + listKey + name);
        }
        if (registry.deleteValue(RegistryRoot::LocalMachine, ExcludeTrailingBackslash(listKey), name)) {
            Record("Deleted registry value " + name + " of HKEY_LOCAL_MACHINE\\" + ExcludeTrailingBackslash(listKey));
        }
    }

    void RemoveInstallationFolder() {
        const std::string& folder = context_.state.ExpandDir;
        const std::string log = context_.UninstallFolder + "uninstaller.cfg";
        const bool keepFolder = protectedFolders_.Contains(folder) || !folderIsOurs_;
        const std::string inside = IncludeTrailingBackslash(folder);
        if (!keepFolder) {
            // Everything but the log first; the folders below with the tree deletion,
            // which leaves the current folder where it was found.
            for (const auto& found : files_.find(inside + "*.*", faAnyFile)) {
                if (found.name == "." || found.name == "..") continue;
                const std::string path = inside + found.name;
                if (found.attributes & faDirectory) {
                    const std::string current = files_.currentDirectory();
                    DeleteTreeOf(path);
                    files_.setCurrentDirectory(current);
                } else if (FolderKey(files_, path) != FolderKey(files_, log)) {
                    DeleteOneFile(path);
                }
            }
        } else {
            // A folder that is not the product's keeps all but the setup's own files.
            for (const char* own : {"setup.exe", "install.cfg", "finstall.cfg"}) DeleteOneFile(inside + own);
        }
        // The log goes, in a kept folder too, or the folder would start the next
        // setup in uninstall mode.
        DeleteOneFile(log);
        if (!keepFolder) {
            DeleteTreeOf(folder);
        } else if (!protectedFolders_.Contains(folder) && files_.removeDirectory(ExcludeTrailingBackslash(folder))) {
            Record("Removed folder " + folder);  // emptied by the run: it goes after all
        }
    }

    void DeleteOneFile(const std::string& path) {
        if (!files_.fileExists(path)) return;
        files_.setAttributes(path, 0);
        if (files_.deleteFile(path)) Record("Deleted file " + path);
    }

    void DeleteTreeOf(const std::string& path) {
        const bool existed = files_.directoryExists(path);
        TDelTree& delTree = context_.DelTree1;
        delTree.Path = path;
        delTree.DeleteTree();
        if (existed && !files_.directoryExists(path)) Record("Removed folder " + path);
    }

    UninstallContext& context_;
    Platform& platform_;
    FileSystem& files_;
    const ProtectedFolders protectedFolders_;
    const LogEntryRule rule_;
    bool folderIsOurs_ = true;
};

}  // namespace

void RunUninstall(UninstallContext& context) { UninstallRun(context).Run(); }

bool BatchDeletesUninstallEntry(Platform& platform, const std::string& entryName) {
    if (platform.system().family() != WindowsFamily::NT) return false;
    if (entryName.find_first_not_of('\\') == std::string::npos) return false;
    for (const char c : entryName) {
        if (c == '"' || static_cast<unsigned char>(c) < 32) return false;
    }
    return true;
}

}  // namespace tavlin
