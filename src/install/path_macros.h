// Folder keywords and path macros: the one table of the seven target folders, the
// three ways of resolving them, and the building of the installation lists.
#pragma once

#include <string>
#include <utility>

#include "config/folder_table.h"

namespace tavlin {

class Platform;
struct SetupState;

// The folder that row stands for now (Main_Dir is the installation folder).
std::string MacroFolder(Platform& platform, const std::string& Main_Dir, int row);

// Rebuilds InstallTargets and InstallFiles from ArchiveFileList; gives Main_Dir its
// trailing "\".
void BuildInstallLists(Platform& platform, SetupState& state, std::string& Main_Dir);

// Resolves a leading macro; a text without one resolves to the installation folder.
std::string ResolveMacroPath(Platform& platform, const std::string& Main_Dir, const std::string& text);

// The first macro found anywhere in the upper-cased text: its folder and the macro,
// both upper-cased; two empty texts when there is none.
std::pair<std::string, std::string> FindPathMacro(Platform& platform, const std::string& Main_Dir,
                                                  const std::string& text);

// Replaces every macro; the result is wholly upper case. With shortForm the folders
// are given in their short (8.3) form where they exist.
std::string ExpandPathMacros(Platform& platform, const std::string& Main_Dir, const std::string& text,
                             bool shortForm);

}  // namespace tavlin
