// The uninstall run: undoes what the uninstall log lists (files, start-up file
// blocks, folders, registry keys), removes the uninstall entry and the
// installation folder, and closes the setup screen. Folders that hold more than
// the product (drive roots, the Windows folders, Program Files, the shell
// folders) are never emptied by pattern nor removed.
#include "uninstall/uninstall_run.h"

#include <array>
#include <vector>

#include "install/ini_registry.h"
#include "install/protected_folders.h"
#include "install/startup_files.h"
#include "platform/platform.h"
#include "support/folders.h"
#include "support/ini_file.h"
#include "support/paths.h"
#include "support/text.h"
#include "uninstall/del_tree.h"

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

class UninstallRun {
public:
    explicit UninstallRun(UninstallContext& context)
        : context_(context),
          platform_(context.platform),
          files_(context.platform.files()),
          protectedFolders_(context.platform) {}

    void Run() {
        const auto systemFolders = UpperSystemFolders(platform_);
        Pump();
        IniFile log(platform_, context_.UninstallFolder + "uninstaller.cfg");
        const auto fileEntries = log.ReadKeyNames("Files");
        const auto folderEntries = log.ReadKeyNames("Folder");
        const auto registryEntries = log.ReadKeyNames("Registry");

        if (fileEntries.empty()) {
            context_.ui.MessageBox("Unable to Find uninstall.cfg!!");
            Pump();
        } else {
            StartProgress(fileEntries.size() + folderEntries.size() + registryEntries.size());
            RemoveFiles(systemFolders, fileEntries);
            RemoveStartupBlocks();
            RemoveFolders(folderEntries);
            EraseRegistryKeys(registryEntries);
        }
        Finish();
    }

private:
    void Pump() { context_.ui.ProcessMessages(); }

    void Record(const std::string& change) {
        if (context_.RecordChange) context_.RecordChange(change);
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
            bool remove = true;
            if (!deleteAll && MayBeUsedByWindows(systemFolders, entry)) {
                const auto answer = context_.ui.MessageBox(
                    "File Possible used by Windows.\r" + entry + "\rDelete Anyway?", MessageButtons::YesNoAll,
                    MessageKind::Confirmation, MessageResult::No);
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

    // Every file of folder that matches name; failures are skipped. A pattern in a
    // folder that holds more than the product deletes nothing there.
    void DeleteLoggedFiles(const std::string& folder, const std::string& name) {
        if (IsPattern(name) && protectedFolders_.Contains(folder)) return;
        for (const auto& found : files_.find(folder + name, faAnyFile)) {
            if (found.attributes & faDirectory) continue;
            const std::string path = folder + found.name;
            if (files_.deleteFile(path)) Record("Deleted file " + path);  // in use or read-only: it stays
        }
    }

    void RemoveStartupBlocks() {
        Pump();
        const ChangeRecorder record = context_.RecordChange;
        RemoveBlockFromFile(platform_, "AUTOEXEC.BAT", context_.Title, record);
        RemoveBlockFromFile(platform_, "CONFIG.SYS", context_.Title, record);
    }

    void RemoveFolders(const std::vector<std::string>& entries) {
        for (const auto& entry : entries) {
            Step("Un-Installing .. Folders", entry);
            if (protectedFolders_.Contains(entry)) continue;
            // Only an empty folder goes; one that still holds something stays.
            if (files_.removeDirectory(entry)) Record("Removed folder " + entry);
        }
    }

    void EraseRegistryKeys(const std::vector<std::string>& entries) {
        Pump();
        for (const auto& entry : entries) {
            Step("Un-Installing ..", "Registry Settings");
            EraseLoggedKey(platform_, entry, context_.RecordChange);
        }
    }

    void Finish() {
        if (context_.SetSecondTextLine) context_.SetSecondTextLine("All Files,Folders and Icons Removed");
        Pump();
        RemoveUninstallEntry();
        RemoveInstallationFolder();
        if (context_.CloseForm) context_.CloseForm();
    }

    void RemoveUninstallEntry() {
        // Without a name the entry's key would be the whole list of installed
        // programs; there is nothing of ours to remove then.
        const std::string& name = context_.UninstallName;
        if (name.find_first_not_of('\\') == std::string::npos) return;
        Registry& registry = platform_.registry();
        const std::string listKey = kUninstallListKey;
        if (registry.deleteKeyTree(RegistryRoot::LocalMachine, listKey + name)) {
            Record("Deleted registry key HKEY_LOCAL_MACHINE\\" + listKey + name);
        }
        if (registry.deleteValue(RegistryRoot::LocalMachine, ExcludeTrailingBackslash(listKey), name)) {
            Record("Deleted registry value " + name + " of HKEY_LOCAL_MACHINE\\" + ExcludeTrailingBackslash(listKey));
        }
    }

    void RemoveInstallationFolder() {
        // The log normally goes with the folder's files; in a folder that is kept it
        // must still go, or the folder would start the next setup in uninstall mode.
        const std::string log = context_.UninstallFolder + "uninstaller.cfg";
        if (files_.deleteFile(log)) Record("Deleted file " + log);
        const std::string& folder = context_.state.ExpandDir;
        if (protectedFolders_.Contains(folder)) return;
        const bool existed = files_.directoryExists(folder);
        TDelTree& delTree = context_.DelTree1;
        delTree.Path = folder;
        delTree.DeleteTree();
        if (existed && !files_.directoryExists(folder)) Record("Removed folder " + folder);
    }

    UninstallContext& context_;
    Platform& platform_;
    FileSystem& files_;
    const ProtectedFolders protectedFolders_;
};

}  // namespace

void RunUninstall(UninstallContext& context) { UninstallRun(context).Run(); }

}  // namespace tavlin
