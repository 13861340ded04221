// The one rule for names and paths that come from media, configuration files or
// a log: which of them Windows would take somewhere other than where they seem
// to point, and whether a path stays inside the folder it belongs to. Every
// reader of such a name uses this, so a name refused in one place is refused in
// all of them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/errors.h"

namespace tavlin {

// The longest path Windows' classic file functions take (MAX_PATH less the
// terminating null), and the longest single name.
inline constexpr std::size_t kMaxPathLength = 259;
inline constexpr std::size_t kMaxNameLength = 255;

// What a name is expected to be.
enum class PathForm {
    Relative,  // below some folder: "docs\readme.txt"
    Rooted,    // as Relative, or from the root of the current drive: "\docs\readme.txt"
    Absolute,  // with a drive, "C:\Acme\", or a network share, "\\server\share\..."
};

// Why a name is refused.
enum class PathFault {
    None,
    Empty,          // no name at all
    UpLevel,        // a component Windows reads as "..": "..", "...", ". .", ".. "
    CurrentFolder,  // a "." component: no name a builder writes has one, and it hides what a path names
    Drive,          // a drive ("C:") where a relative name is expected
    Network,        // a network or device path ("\\server\...", "\\?\...") where one is not allowed
    Rooted,         // starts at the drive root where a relative name is expected
    NotAbsolute,    // no drive or share where a full path is expected
    Stream,         // ":" inside a name: an alternate data stream
    Device,         // a reserved device name: CON, PRN, AUX, NUL, COM1-9, LPT1-9, CLOCK$
    BadCharacter,   // a character Windows refuses in file names: < > | " ? * or a control character
    TooLong,        // a name longer than kMaxNameLength or a path longer than kMaxPathLength
};

// A short English phrase for a fault: "climbs out with ..", "is a device name", ...
const char* PathFaultText(PathFault fault);

// The first fault of path in the given form, or PathFault::None. "\" and "/"
// both separate components. A trailing separator (a folder) is allowed.
// Wildcards are BadCharacter: callers that take a pattern check its folder.
PathFault FindPathFault(std::string_view path, PathForm form);

inline bool IsSafePath(std::string_view path, PathForm form) { return FindPathFault(path, form) == PathFault::None; }

// The fault of one component (no separators in it).
PathFault FindNameFault(std::string_view name);

// True when Windows would open a device for this component (any case, with or
// without an extension, with trailing dots or blanks).
bool IsDeviceName(std::string_view name);

// Raised by CheckPath; readers that have an error of their own catch it or test
// with FindPathFault first.
class EUnsafePath : public Exception {
public:
    EUnsafePath(const std::string& path, PathFault fault);
    PathFault Fault;
};

// Raises EUnsafePath when path has a fault in the given form.
void CheckPath(std::string_view path, PathForm form);

// The path as Windows resolves it, without touching any disk: "/" becomes "\",
// repeated separators collapse, "." components go, ".." removes the component
// before it, and trailing dots and blanks drop from every component. Returns an
// empty string when ".." would climb above the path's start (its drive, share
// or, for a relative path, its first component).
std::string ResolvePath(std::string_view path);

// True when path, once resolved, is folder itself or lies below it (letter case
// ignored, as Windows does). Both should be absolute; a path that cannot be
// resolved lies nowhere.
bool PathLiesInside(std::string_view path, std::string_view folder);

// folder + name for a name that is safe as a Relative name, "/" written as "\",
// when the result lies inside folder and is no longer than kMaxPathLength.
// Raises EUnsafePath otherwise.
std::string JoinInside(std::string_view folder, std::string_view name);

}  // namespace tavlin
