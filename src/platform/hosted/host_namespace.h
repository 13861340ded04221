// Where Windows paths live on the host: the drive table, and the lookup of each
// path component among the entries of a host folder, ignoring letter case and
// accepting short names. Host names are UTF-8; Windows names are Windows-1252.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/hosted/metadata_store.h"
#include "platform/hosted/windows_path.h"

namespace tavlin::hosted {

// One entry of a host folder as Windows sees it.
struct HostEntry {
    std::string hostName;   // UTF-8, as on the host
    std::string longName;   // Windows-1252
    std::string shortName;  // the long name itself when it fits 8.3; may be empty when not looked up
    bool folder = false;
};

// A Windows path and its place on the host.
struct Resolved {
    WindowsPath path;               // absolute, as given
    std::filesystem::path host;     // where it lives, or would live once created
    bool exists = false;
    bool folder = false;            // exists and is a folder
    bool parentIsFolder = false;    // the folder that holds (or would hold) it exists
    std::filesystem::path hostParent;
    std::string hostName;           // the last component on the host
};

class HostNamespace {
public:
    explicit HostNamespace(MetadataStore& store) : store_(store) {}

    void mapDrive(char letter, const std::filesystem::path& hostFolder);
    std::optional<std::filesystem::path> driveRoot(char letter) const;

    // Nothing when the drive is not mapped.
    std::optional<Resolved> resolve(const WindowsPath& path);

    // The entries of a host folder in the order Windows lists them, each with its
    // short name (given now, and kept, where the folder had none for it).
    std::vector<HostEntry> list(const std::filesystem::path& folder);
    // The entry that a Windows name (long or short, any letter case) names.
    std::optional<HostEntry> find(const std::filesystem::path& folder, const std::string& windowsName);
    // Records a newly made entry: nothing of an earlier entry of that name is kept,
    // and it gets its short name, the lowest that its folder does not use yet.
    void startEntry(const std::filesystem::path& folder, const std::string& hostName);
    // The short name of an existing entry.
    std::string shortNameOf(const std::filesystem::path& folder, const HostEntry& entry);

    MetadataStore& store() { return store_; }

private:
    MetadataStore& store_;
    std::map<char, std::filesystem::path> drives_;
};

}  // namespace tavlin::hosted
