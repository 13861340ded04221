// The folder ownership rule of the installation run.
#include "install/folder_ownership.h"

#include "platform/platform.h"
#include "support/ini_file.h"
#include "support/paths.h"
#include "support/text.h"

namespace tavlin {

FolderOwnership::FolderOwnership(Platform& platform, const std::string& earlierLog) : platform_(platform) {
    if (!platform.files().fileExists(earlierLog)) return;
    for (const auto& entry : IniFile(platform, earlierLog).ReadKeyNames("Files")) {
        if (ExtractFileName(entry) != "*.*") continue;
        for (const auto& key : Keys(ExtractFilePath(entry))) emptiedByEarlierLog_.insert(key);
    }
}

std::vector<std::string> FolderOwnership::Keys(const std::string& folder) const {
    // The folder as written and, once it exists, its short form: a folder named
    // before it existed is found again either way.
    FileSystem& files = platform_.files();
    const std::string full = ExcludeTrailingBackslash(files.fullPathName(folder));
    std::vector<std::string> keys = {UpperCaseAscii(full)};
    if (const auto shortForm = files.shortPathName(full)) keys.push_back(UpperCaseAscii(ExcludeTrailingBackslash(*shortForm)));
    return keys;
}

const bool* FolderOwnership::Decision(const std::string& folder) const {
    for (const auto& key : Keys(folder)) {
        if (const auto found = decided_.find(key); found != decided_.end()) return &found->second;
    }
    return nullptr;
}

void FolderOwnership::Decide(const std::string& folder, bool ours) {
    for (const auto& key : Keys(folder)) decided_.emplace(key, ours);
}

void FolderOwnership::Claim(const std::string& folder) {
    FileSystem& files = platform_.files();
    std::string current = ExcludeTrailingBackslash(files.fullPathName(folder));
    // From the folder up to the first one that exists: the missing ones are made by
    // this run and are its own.
    while (!current.empty()) {
        if (Decision(current)) return;
        if (files.directoryExists(current)) {
            bool empty = true;
            for (const auto& found : files.findAll(IncludeTrailingBackslash(current) + "*.*")) {
                if (found.name != "." && found.name != "..") empty = false;
            }
            bool named = false;
            for (const auto& key : Keys(current)) named = named || emptiedByEarlierLog_.count(key) > 0;
            Decide(current, empty || named);
            return;
        }
        Decide(current, true);
        const auto cut = current.find_last_of('\\');
        if (cut == std::string::npos || cut < 3) return;
        current.erase(cut);
    }
}

bool FolderOwnership::IsOurs(const std::string& folder) const {
    const bool* decision = Decision(folder);
    return decision == nullptr || *decision;
}

}  // namespace tavlin
