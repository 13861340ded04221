// The state of a new machine: the folders of a fresh Windows installation and
// the registry values that point at them.
#pragma once

#include <string>

#include "platform/file_system.h"
#include "platform/hosted/registry_tree.h"

namespace tavlin::hosted {

// Creates the Windows folder with Temp, System, System32, Fonts, Desktop,
// Start Menu\Programs\StartUp and Application Data, and the Program Files folder
// of its drive. Raises EInOutError when a folder cannot be made.
void createWindowsLayout(FileSystem& files, const std::string& windowsDirectory);

// The Shell Folders values (Desktop, Programs, Start Menu, Startup, AppData) and
// ProgramFilesDir for those folders.
RegistryTree seededRegistry(const std::string& windowsDirectory);

}  // namespace tavlin::hosted
