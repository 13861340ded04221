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

}  // namespace

void CheckPreviousInstallation(Platform& platform, EngineUi& ui, SetupState& state, const std::string& Main_Dir) {
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

    if (oldFolder != Main_Dir && state.UninstallCopy && !oldFolder.empty() &&
        !IsWithin(platform, Main_Dir, oldFolder)) {
        CopyFolderTree(platform, oldFolder, Main_Dir);
    }

    if (!platform.files().fileExists(oldFolder + "uninstaller.cfg")) return;
    platform.files().setCurrentDirectory(oldFolder);  // ignored on failure: the uninstaller is started in oldFolder anyway
    std::string text;
    for (const auto& line : state.PreviousUninstallLines) text += line + "\r\n";
    ui.MessageBox(text);
    RunFileIn(platform, "setup.exe", parameters, oldFolder, swShow);
    ui.MessageBox("Continue with Install. Click on \"OK\"");
}

}  // namespace tavlin
