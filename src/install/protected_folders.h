// Folders that hold more than one product's files: drive roots, the Windows folder
// and its system folders, the Program Files folder and the shell folders' roots.
// An uninstall never empties them by pattern nor removes them, and an installation
// into one of them logs its files one by one.
#pragma once

#include <string>
#include <vector>

namespace tavlin {

class Platform;

class ProtectedFolders {
public:
    // Asks the platform once for the folders it protects.
    explicit ProtectedFolders(Platform& platform);

    // True when folder is a drive root, one of the protected folders, or a folder
    // that holds one of them; letter case, a trailing "\", "." and ".." and short
    // (8.3) names do not matter. An empty text counts as protected, since it
    // would stand for the current folder.
    bool Contains(const std::string& folder) const;

private:
    std::string Normalized(const std::string& folder) const;

    Platform& platform_;
    std::vector<std::string> folders_;  // normalized
};

// One-off form of ProtectedFolders::Contains.
bool IsProtectedFolder(Platform& platform, const std::string& folder);

}  // namespace tavlin
