// Starting documents and programs through the shell, and the small icons of files.
#pragma once

#include <string>

namespace tavlin {

class Platform;

// The index of a file's small icon in the system image list (0 on failure).
int SmallIconIndex(Platform& platform, const std::string& path);

// Opens a document or program through the shell, owned by the desktop window:
// mode 0 normal, 1 maximised, 2 minimised, 3 hidden; any other mode does nothing.
// False when the shell could not open it (ShellFailureNote tells why).
bool OpenWithShell(Platform& platform, const std::string& path, int mode);

// Starts a file through the shell with parameters, a working folder and a show
// command, owned by the application's main window. Texts are passed whole.
// False when the shell could not start it.
bool RunFileIn(Platform& platform, const std::string& file, const std::string& parameters,
               const std::string& folder, int showCommand);

// "Could not start <file>", with the shell's reason for its last failure where it
// gives one: the line a run's record keeps of a start that failed.
std::string ShellFailureNote(Platform& platform, const std::string& file);

}  // namespace tavlin
