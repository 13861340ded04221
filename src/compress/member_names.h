// Stored member names: the name filter's comparison, and the test that keeps
// every member inside the folder it expands into.
#pragma once

#include <string>

namespace tavlin {

// Equal when they differ at most in the case of the letters A to Z.
bool SameMemberName(const std::string& a, const std::string& b);

// A name that begins with "\" is a path from the root of the current drive.
bool IsRootedMemberName(const std::string& name);

// True for a name the path rule refuses as a name below the archive's folder
// or from the drive root (see support/safe_path.h): a ".." component in any of
// the forms Windows shortens to it, a drive, a stream, a network path, a device
// name, a character Windows refuses, or a name too long. "/" counts as a
// separator, as on Windows.
bool IsUnsafeMemberName(const std::string& name);

// Raises EUnsafeMemberName for an unsafe name.
void CheckMemberName(const std::string& name);

}  // namespace tavlin
