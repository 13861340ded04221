// Stored member names: the name filter's comparison, and the test that keeps
// every member inside the folder it expands into.
#pragma once

#include <string>
#include <unordered_set>
#include <vector>

namespace tavlin {

// Equal when they differ at most in the case of the letters A to Z.
bool SameMemberName(const std::string& a, const std::string& b);

// A list of member names to look names up in by SameMemberName, at a constant
// cost per look-up: an archive of many members against a list of as many
// would otherwise take time with the square of the count.
class MemberNameSet {
public:
    explicit MemberNameSet(const std::vector<std::string>& names);
    bool Contains(const std::string& name) const;

private:
    std::unordered_set<std::string> keys_;
};

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
