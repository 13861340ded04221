// The folder keywords of finstall.cfg and the path macros of install.cfg: one
// table of seven rows, in search order, shared by the setup (which resolves
// them) and the builder (which checks install.cfg against them).
#pragma once

#include <array>

namespace tavlin {

inline constexpr std::array<const char*, 7> FolderKeywords = {
    "Installation Directory", "Program Files", "Windows", "System", "System32", "Fonts", "Root"};
// Row 5 has no trailing backslash; every other macro ends with one.
inline constexpr std::array<const char*, 7> FolderMacros = {
    "<InstallDir>\\", "<ProgramFiles>\\", "<Windows>\\", "<Windows>\\System\\", "<Windows>\\System32\\",
    "<Windows>\\Fonts", "<Root>\\"};

// The names between "<" and ">" that a macro can start with.
inline constexpr std::array<const char*, 4> MacroNames = {"InstallDir", "ProgramFiles", "Windows", "Root"};

}  // namespace tavlin
