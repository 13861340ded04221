// The segment layer expands every archive into one folder (the temporary folder
// for list archives, the template's folder for the others), so a stored name
// may neither climb out of it nor start at the drive root.
#pragma once

#include <string>

#include "compress/compress_errors.h"
#include "support/safe_path.h"

namespace tavlin {

// Raises EUnsafeMemberName for a name that the path rule refuses below a
// folder. An empty or overlong name cannot leave the folder and selects no
// member that the archive layer would expand (it checks every name itself),
// so list files may hold them.
inline void RefuseEscapingName(const std::string& name) {
    const PathFault fault = FindPathFault(name, PathForm::Relative);
    if (fault != PathFault::None && fault != PathFault::Empty && fault != PathFault::TooLong) {
        throw EUnsafeMemberName(name);
    }
}

}  // namespace tavlin
