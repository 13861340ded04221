// What Windows keeps about a file that a host file system does not: its
// attributes and its short name. Kept in one small file in the machine folder
// (or only in memory), rewritten atomically after each change and read again when
// another process has changed it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "platform/hosted/host_files.h"

namespace tavlin::hosted {

class MetadataStore {
public:
    struct Entry {
        std::optional<std::uint32_t> attributes;  // nothing: the default for its kind
        std::string shortName;                    // empty: none given yet
    };

    // storeFile empty: nothing persists. Host folders below base are recorded
    // relative to it, so the machine folder may move.
    MetadataStore(std::filesystem::path storeFile, std::filesystem::path base);

    Entry get(const std::filesystem::path& folder, const std::string& hostName);
    void setAttributes(const std::filesystem::path& folder, const std::string& hostName,
                       std::optional<std::uint32_t> attributes);
    void setShortName(const std::filesystem::path& folder, const std::string& hostName, const std::string& shortName);
    // Drops an entry and, for a folder, everything recorded below it.
    void forget(const std::filesystem::path& folder, const std::string& hostName);
    // The entries of one folder, after dropping those whose host name is not in
    // present (files removed behind the machine's back).
    std::map<std::string, Entry> folderEntries(const std::filesystem::path& folder, const std::set<std::string>& present);

private:
    std::string keyOf(const std::filesystem::path& folder) const;
    void refresh();
    void save();

    std::filesystem::path file_;
    std::filesystem::path base_;
    std::map<std::string, std::map<std::string, Entry>> folders_;
    FileStamp stamp_;
};

}  // namespace tavlin::hosted
