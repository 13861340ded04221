// The marked blocks that a setup adds to AUTOEXEC.BAT and CONFIG.SYS of the
// Windows drive, and their removal.
#pragma once

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
// already holds the start marker. A file that exists but cannot be read is left alone.
// recordChange, when set, hears of the rewritten file.
void AppendBlockToFile(Platform& platform, const std::string& fileName, const std::string& title,
                       const StringList& block, const ChangeRecorder& recordChange = {});

// Removes every block of the product from the file in the root of the Windows drive.
// recordChange, when set, hears of the rewritten file.
void RemoveBlockFromFile(Platform& platform, const std::string& fileName, const std::string& title,
                         const ChangeRecorder& recordChange = {});

}  // namespace tavlin
