// The segment layer expands every archive into one folder (the temporary folder
// for list archives, the template's folder for the others), so a stored name
// may neither climb out of it nor start at the drive root.
#pragma once

#include <string>

#include "compress/compress_errors.h"
#include "compress/member_names.h"

namespace tavlin {

// Raises EUnsafeMemberName for a name that would be written outside its folder.
inline void RefuseEscapingName(const std::string& name) {
    if (IsRootedMemberName(name) || IsUnsafeMemberName(name)) throw EUnsafeMemberName(name);
}

}  // namespace tavlin
