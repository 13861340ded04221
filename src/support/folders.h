// The Windows, system and shell folders, and short path forms.
#pragma once

#include <string>

namespace tavlin {

class Platform;

enum SpecialFolderKind { sfDesktop = 0, sfPrograms = 1, sfStartMenu = 2, sfStartup = 3, sfQuickLaunch = 4, sfProgramFiles = 5 };

// A shell folder from the registry, ending with "\". A key that does not open, or
// whose value is missing or empty, gives the fallback below the Windows folder.
std::string SpecialFolder(Platform& platform, SpecialFolderKind kind);

// The platform's Windows and system folders, unchanged (no trailing "\" unless a root).
std::string WindowsFolder(Platform& platform);
std::string SystemFolder(Platform& platform);

// The short (8.3) form of a path, or the path unchanged when the platform has none.
std::string ShortPathOf(Platform& platform, const std::string& path);

}  // namespace tavlin
