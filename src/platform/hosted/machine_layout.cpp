// The folder names are those of an English Windows 95 / NT 4 installation.
#include "platform/hosted/machine_layout.h"

#include <vector>

#include "platform/errors.h"

namespace tavlin::hosted {

namespace {

constexpr const char* kWindowsFolders[] = {"Temp",       "System",     "System32",
                                           "Fonts",      "Desktop",    "Start Menu\\Programs\\StartUp",
                                           "Application Data"};

std::string programFilesOf(const std::string& windowsDirectory) { return windowsDirectory.substr(0, 2) + "\\Program Files"; }

}  // namespace

void createWindowsLayout(FileSystem& files, const std::string& windowsDirectory) {
    std::vector<std::string> folders{windowsDirectory};
    for (const char* folder : kWindowsFolders) folders.push_back(windowsDirectory + "\\" + folder);
    folders.push_back(programFilesOf(windowsDirectory));
    for (const auto& folder : folders) {
        if (!files.forceDirectories(folder)) throw EInOutError("Cannot create the machine folder " + folder);
    }
}

RegistryTree seededRegistry(const std::string& windowsDirectory) {
    RegistryTree tree;
    RegistryKey& shellFolders = tree.currentUser.createSubkey("Software")
                                    .createSubkey("Microsoft")
                                    .createSubkey("Windows")
                                    .createSubkey("CurrentVersion")
                                    .createSubkey("Explorer")
                                    .createSubkey("Shell Folders");
    shellFolders.setValue("Desktop", regSz, windowsDirectory + "\\Desktop");
    shellFolders.setValue("Programs", regSz, windowsDirectory + "\\Start Menu\\Programs");
    shellFolders.setValue("Start Menu", regSz, windowsDirectory + "\\Start Menu");
    shellFolders.setValue("Startup", regSz, windowsDirectory + "\\Start Menu\\Programs\\StartUp");
    shellFolders.setValue("AppData", regSz, windowsDirectory + "\\Application Data");
    RegistryKey& currentVersion = tree.localMachine.createSubkey("Software")
                                      .createSubkey("Microsoft")
                                      .createSubkey("Windows")
                                      .createSubkey("CurrentVersion");
    currentVersion.setValue("ProgramFilesDir", regSz, programFilesOf(windowsDirectory));
    // Windows always has the list of installed programs, even when it is empty.
    currentVersion.createSubkey("Uninstall");
    return tree;
}

}  // namespace tavlin::hosted
