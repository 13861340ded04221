// One line of finstall.cfg cut into its destination fields and its source path,
// and the path rule applied to both, so that neither the expansion nor the
// installation ever reads or writes outside its folders.
#pragma once

#include <string>
#include <vector>

#include "support/safe_path.h"

namespace tavlin {

struct FileListLine {
    std::vector<std::string> fields;  // destination fields: folder keywords or folder names, in order
    std::string source;               // the source path with its drive, "C:\Work\readme.txt"
};

// Cuts a line as the installation lists are built: fields ending with TAB,
// then fields ending with ",", then the source path.
FileListLine SplitFileListLine(const std::string& line);

// The source path below the expansion folder: the source without its drive.
std::string SourceBelowDrive(const std::string& source);

// The first fault of a line: a source that is not a full path with a drive or
// that climbs out, a folder name field that is not a safe relative name, or a
// file name that is not safe. PathFault::None for a sound line.
PathFault FileListLineFault(const FileListLine& line);

}  // namespace tavlin
