// Program shortcuts in the Start menu, on the desktop and in Quick Launch: the
// shortcut component and the per-item stage of the installation run.
#pragma once

#include <string>

#include "install/install_context.h"
#include "support/string_list.h"

namespace tavlin {

class Platform;
class UninstallLog;
struct InstallContext;

class TShortcuts {
public:
    // Fills FolderList from the Programs and Start Menu folders.
    explicit TShortcuts(Platform& platform);

    std::string RunProgram;
    std::string Folder;
    std::string ProgramName;
    bool Desktop = false;
    bool QuickLaunch = false;
    bool StartMenu = false;
    bool FolderDesktop = false;
    bool FolderStartMenu = false;
    bool FolderQuickLaunch = false;
    StringList FolderList;
    std::string IconFile;
    std::string WinShow;
    std::string CommandLine;
    // Hears of every folder created and link written, when set.
    ChangeRecorder RecordChange;
    // Hears of every link that could not be written, with the system's reason.
    ChangeRecorder RecordNote;

    void RefreshFolderList();
    // Writes the .lnk files for the current values; raises when the shell-link
    // object cannot be created.
    void CreateShortcuts();

private:
    Platform& platform_;
};

// The shortcut stage for desktop item index of DesktopItems: logs the folders and
// files and creates the links.
void CreateItemShortcuts(InstallContext& context, UninstallLog& log, std::size_t index);

}  // namespace tavlin
