// Which destination folders an installation may later empty by pattern: those it
// creates, those that were empty, and those that the product's own earlier log
// already empties. A folder that held other files before the run is not the
// product's, and its files are logged one by one.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace tavlin {

class Platform;

class FolderOwnership {
public:
    // earlierLog: the log that an earlier installation of the product left in the
    // installation folder (read when it exists).
    FolderOwnership(Platform& platform, const std::string& earlierLog);

    // Decides about folder and the missing folders above it; must be called
    // before the run puts anything there. Later calls keep the first decision.
    void Claim(const std::string& folder);
    // True for a folder claimed as the product's, or never claimed.
    bool IsOurs(const std::string& folder) const;

private:
    std::vector<std::string> Keys(const std::string& folder) const;
    const bool* Decision(const std::string& folder) const;
    void Decide(const std::string& folder, bool ours);

    Platform& platform_;
    std::set<std::string> emptiedByEarlierLog_;
    std::map<std::string, bool> decided_;
};

}  // namespace tavlin
