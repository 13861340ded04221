// The marked blocks that a setup adds to AUTOEXEC.BAT and CONFIG.SYS of the
// Windows drive, and their removal.
#pragma once

#include <functional>
#include <string>

#include "install/install_context.h"

namespace tavlin {

class Platform;
class StringList;

std::string StartMarker(const std::string& title);
std::string EndMarker(const std::string& title);

// Turns a list of configured lines into its block (upper case, "COPY" gets "/Y",
// macros in short form); an empty list stays empty.
void BuildStartupBlock(Platform& platform, const std::string& Main_Dir, const std::string& title,
                       StringList& lines);

// Appends the block to the file in the root of the Windows drive unless the file
// already holds the start marker; before a closing Ctrl-Z when the file ends with
// one. A file that exists but cannot be read is left alone. recordChange, when
// set, hears of the rewritten file; beforeCreating, of a file about to be created.
void AppendBlockToFile(Platform& platform, const std::string& fileName, const std::string& title,
                       const StringList& block, const ChangeRecorder& recordChange = {},
                       const std::function<void(const std::string& path)>& beforeCreating = {});

// Removes every block of the product from the file in the root of the Windows drive.
// A file that the setup created (createdBySetup) is deleted when nothing else is
// left in it. recordChange, when set, hears of the rewritten file.
void RemoveBlockFromFile(Platform& platform, const std::string& fileName, const std::string& title,
                         const ChangeRecorder& recordChange = {}, bool createdBySetup = false);

// The path of a start-up file: the root of the Windows drive and fileName.
std::string StartupFilePathOf(Platform& platform, const std::string& fileName);

}  // namespace tavlin
