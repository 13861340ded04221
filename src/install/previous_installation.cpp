// Looking for an earlier installation through its uninstall entry, rescuing its
// subfolders when asked, and starting its own uninstaller.
#include "install/previous_installation.h"

#include "install/ini_registry.h"
#include "install/setup_state.h"
#include "platform/platform.h"
#include "support/file_utils.h"
#include "support/paths.h"
#include "support/shell_helpers.h"
#include "support/text.h"

namespace tavlin {

namespace {

// True when folder is inside (or is) parent, whatever the letter case: copying a
// folder's subfolders into itself or below itself would never end.
bool IsWithin(Platform& platform, const std::string& folder, const std::string& parent) {
    FileSystem& files = platform.files();
    const std::string inner = UpperCaseAscii(IncludeTrailingBackslash(files.fullPathName(folder)));
    const std::string outer = UpperCaseAscii(IncludeTrailingBackslash(files.fullPathName(parent)));
    return StartsWith(inner, outer);
}

// Copies every subfolder tree of source into destination, leaving out the tree
// of skipped (a folder below source that must not be copied into itself).
void CopySubfoldersExcept(Platform& platform, const std::string& source, const std::string& destination,
                          const std::string& skipped) {
    FileSystem& files = platform.files();
    for (const auto& entry : files.find(source + "*.*", faDirectory)) {
        if (entry.attributes != faDirectory || entry.name == "." || entry.name == "..") continue;
        const std::string from = source + entry.name + "\\";
        if (IsWithin(platform, skipped, from) && IsWithin(platform, from, skipped)) continue;  // the skipped tree itself
        const std::string target = destination + entry.name + "\\";
        files.forceDirectories(target);
        CopyMatchingFiles(platform, from, "*.*", target);
        CopySubfoldersExcept(platform, from, target, skipped);
    }
}

}  // namespace

void CheckPreviousInstallation(Platform& platform, EngineUi& ui, SetupState& state, const std::string& Main_Dir,
                               const ChangeRecorder& recordNote) {
    ui.ProcessMessages();

    const std::string key = std::string(kUninstallListKey) + state.UninstallString;
    std::string command;
    if (platform.registry().openKey(RegistryRoot::LocalMachine, key)) {
        command = platform.registry().readString(RegistryRoot::LocalMachine, key, "UninstallString").value_or("");
    }
    if (command.empty()) return;

    const auto exe = command.find(".exe");
    const std::string parameters = exe != std::string::npos ? command.substr(exe + 4)
                                   : command.size() > 3     ? command.substr(3)
                                                            : std::string();
    const std::string oldFolder = ExtractFilePath(command);
    // A folder typed without its "\" (/DIR=C:\New) still receives the subfolders
    // inside it, not beside it.
    const std::string newFolder = Main_Dir.empty() ? Main_Dir : IncludeTrailingBackslash(Main_Dir);
    const bool oldLogPresent = !oldFolder.empty() && platform.files().fileExists(oldFolder + "uninstaller.cfg");

    // When the new folder lies inside the old one, the old uninstaller would take
    // the copies with it: they wait in the expansion folder until it has run.
    std::string rescued;
    const bool sameFolder = !oldFolder.empty() && !newFolder.empty() && IsWithin(platform, newFolder, oldFolder) &&
                            IsWithin(platform, oldFolder, newFolder);
    if (oldFolder != newFolder && state.UninstallCopy && !oldFolder.empty() && !newFolder.empty() && !sameFolder) {
        if (!IsWithin(platform, newFolder, oldFolder)) {
            CopyFolderTree(platform, oldFolder, newFolder);
        } else if (oldLogPresent && !state.ExpandDir.empty()) {
            rescued = IncludeTrailingBackslash(state.ExpandDir) + "rescued\\";
            CopySubfoldersExcept(platform, oldFolder, rescued, newFolder);
        } else {
            CopySubfoldersExcept(platform, oldFolder, newFolder, newFolder);
        }
    }

    if (!oldLogPresent) return;
    platform.files().setCurrentDirectory(oldFolder);  // ignored on failure: the uninstaller is started in oldFolder anyway
    std::string text;
    for (const auto& line : state.PreviousUninstallLines) text += line + "\r\n";
    ui.MessageBox(text);
    if (!RunFileIn(platform, "setup.exe", parameters, oldFolder, swShow) && recordNote) {
        recordNote(ShellFailureNote(platform, oldFolder + "setup.exe"));
    }
    ui.MessageBox("Continue with Install. Click on \"OK\"");
    if (!rescued.empty()) {
        platform.files().forceDirectories(newFolder);
        CopySubfoldersExcept(platform, rescued, newFolder, newFolder);
    }
}

}  // namespace tavlin
