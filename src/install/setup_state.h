// The one record of a setup run: its folders, its flags, the configuration values
// of install.cfg and the ten lists that the expansion, the configuration, the
// installation and the uninstall run fill and read.
#pragma once

#include <string>

#include "support/string_list.h"

namespace tavlin {

struct SetupState {
    // Paths, set by the program entry and InitSetupState.
    std::string StartDir;    // current folder at program start
    std::string SourceDir;   // folder of the setup media, ending with "\" (or as named)
    std::string ExpandDir;   // install: temporary expansion folder; uninstall: installation folder
    std::string SegTempDir;  // folder of the segment reader's temporary files
    bool UninstallMode = false;
    bool ExpandFailed = false;
    int ExpandedCount = 0;

    // Configuration values of install.cfg, with their defaults.
    std::string LaunchApplication;
    std::string DisplayStyle = "Horiz In";
    std::string DesktopFolder = "Applications";
    std::string MainDirectory = "TVL";
    std::string UninstallString;
    std::string LogoPos = "Upper Right";
    std::string LogoFile;
    std::string BitmapFile;
    bool App16Bit = false;
    bool App32Bit = true;
    bool UnderProgramFiles = true;
    bool RebootOption = false;
    bool RestartOption = false;
    bool UninstallOption = false;
    bool UninstallCopy = false;
    bool DisplayDesktopOptions = true;
    bool CenterTop = false;
    int CenterTopStart = 8;

    // The ten lists.
    StringList ArchiveFileList;         // lines of finstall.cfg
    StringList InstallFiles;            // expanded source path per file-list line
    StringList InstallTargets;          // destination path per file-list line
    StringList AutoexecLines;           // [AUTOEXEC.BAT]
    StringList ConfigSysLines;          // [CONFIG.SYS]
    StringList IniRegistryEntries;      // [INI\Registry] "INIREG n" values
    StringList DesktopItems;            // [Desktop]
    StringList LaunchApps;              // [Launch Applications], as expanded paths
    StringList LaunchAppLocations;      // [Launch Applications Location]
    StringList PreviousUninstallLines;  // text shown before a previous version is removed
};

}  // namespace tavlin
