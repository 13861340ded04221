// Windows path texts taken apart and made absolute the way GetFullPathNameA does:
// "\" and "/" separate, doubled separators read as one, "." and ".." are resolved
// and trailing dots and blanks of a name are dropped. No file is looked at.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavlin::hosted {

struct WindowsPath {
    std::string drive;  // "C:" with the letter case as given
    std::vector<std::string> components;
    bool trailingSeparator = false;  // kept when the text ended with a separator

    // Upper-case drive letter.
    char driveLetter() const;
    bool isRoot() const { return components.empty(); }
    // The path as text: "C:\a\b", "C:\" for a root, with a final "\" when kept.
    std::string text() const;
    // The folder holding the last component; the root stays the root.
    WindowsPath parent() const;
    // This path with one more component.
    WindowsPath child(const std::string& name) const;
};

bool isPathSeparator(char c);

// Reads an absolute drive path ("C:\..."); nothing for any other form.
std::optional<WindowsPath> parseAbsolutePath(std::string_view text);

// Makes a path absolute against the current folder. Nothing for an empty path and
// for network paths ("\\server\share"), which this machine does not have.
std::optional<WindowsPath> absolutePath(std::string_view path, const WindowsPath& currentDirectory);

// A name that a file or folder may carry: not empty, no "\/:*?"<>|" and no
// control characters.
bool isValidFileName(std::string_view name);

}  // namespace tavlin::hosted
