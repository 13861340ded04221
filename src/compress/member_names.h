// Stored member names: the name filter's comparison, and the test that keeps
// every member inside the folder it expands into.
#pragma once

#include <string>

namespace tavlin {

// Equal when they differ at most in the case of the letters A to Z.
bool SameMemberName(const std::string& a, const std::string& b);

// A name that begins with "\" is a path from the root of the current drive.
bool IsRootedMemberName(const std::string& name);

// True for a name that could reach outside its folder or a file's hidden
// streams: a ".." component (also written with trailing dots or blanks, which
// Windows drops), any ":" (a drive letter or a stream name), or a network path
// ("\\server\..."). "/" counts as a separator, as on Windows.
bool IsUnsafeMemberName(const std::string& name);

// Raises EUnsafeMemberName for an unsafe name.
void CheckMemberName(const std::string& name);

}  // namespace tavlin
