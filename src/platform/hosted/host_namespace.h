// Where Windows paths live on the host: the drive table, and the lookup of each
// path component among the entries of a host folder, ignoring letter case and
// accepting short names. Host names are UTF-8; Windows names are Windows-1252.
// Folder listings are kept in memory and used while the host folder's stamp
// (inode, change times, size) is the one they were read or last changed at, so
// a lookup costs one stat of the folder instead of a walk over it; changes made
// through the machine update the listing, changes by anyone else change the
// stamp and make it read again. This relies on the host giving a folder a new
// change time for every change after its time was looked at, as Linux does
// since 6.13 (fine-grained time stamps on demand).
#pragma once

#include <cstdint>
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

// What identifies one state of a host folder's entries.
struct FolderStamp {
    std::uint64_t device = 0, inode = 0, size = 0, links = 0;
    std::int64_t modified = 0, changed = 0;  // nanoseconds
    bool operator==(const FolderStamp&) const = default;
};

// What one look at an existing host entry told besides its kind.
struct HostStatus {
    std::uint64_t size = 0;
    std::int64_t modifiedSeconds = 0;
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
    // The stamps the look-up saw, where it looked: of the entry when a folder, and
    // of the folder that holds it. An operation that follows at once need not look again.
    std::optional<FolderStamp> stamp, parentStamp;
    // Where the look-up looked at the entry itself (found as written): what it saw.
    std::optional<HostStatus> hostStatus;
};

class HostNamespace {
public:
    explicit HostNamespace(MetadataStore& store) : store_(store) {}

    void mapDrive(char letter, const std::filesystem::path& hostFolder);
    // The host folder of a drive; null when the drive is not mapped.
    const std::filesystem::path* driveRoot(char letter) const;

    // Nothing when the drive is not mapped.
    std::optional<Resolved> resolve(const WindowsPath& path);
    // resolve for a path about to be made, written or removed: where its folder's
    // listing is kept, one look at the folder tells whether the name is there
    // (result without hostStatus), instead of a look at the name and then at the
    // folder.
    std::optional<Resolved> resolveForChange(const WindowsPath& path);

    // The entries of a host folder in the order Windows lists them, each with its
    // short name (given now, and kept, where the folder had none for it).
    std::vector<HostEntry> list(const std::filesystem::path& folder, const std::optional<FolderStamp>& known = std::nullopt);
    // The entry that a Windows name (long or short, any letter case) names.
    std::optional<HostEntry> find(const std::filesystem::path& folder, const std::string& windowsName);
    // Every entry that a Windows name without wildcards matches by its long or its
    // short name, in listing order: what a search for that name finds.
    std::vector<HostEntry> findAllNamed(const std::filesystem::path& folder, const std::string& windowsName,
                                        const std::optional<FolderStamp>& known = std::nullopt);
    // Records a newly made entry: nothing of an earlier entry of that name is kept,
    // and it gets its short name, the lowest that its folder does not use yet.
    // Call prepareChange before making it, so that the folder's listing is known
    // to be current and can take the new entry in.
    void startEntry(const std::filesystem::path& folder, const std::string& hostName, bool isFolder);
    // Before an entry of the folder is made or removed through the machine; known:
    // a stamp of the folder taken within this operation.
    void prepareChange(const std::filesystem::path& folder, const std::optional<FolderStamp>& known = std::nullopt);
    // After an entry was removed (prepareChange first): forgets what the store
    // kept for it and, for a folder, everything below.
    void removedEntry(const std::filesystem::path& folder, const std::string& hostName);
    // The short name of an existing entry.
    std::string shortNameOf(const std::filesystem::path& folder, const HostEntry& entry);

    MetadataStore& store() { return store_; }

private:
    struct Listing {
        FolderStamp stamp;
        bool changing = false;                     // prepareChange found it current
        std::map<std::string, bool> entries;       // host name to "is a folder"; files and folders only
        std::multimap<std::string, std::string> byName;  // upper-cased long name to host name
        // Per short-name sequence, a number below which every candidate is taken.
        std::map<std::string, unsigned> firstFreeTail;
        std::uint64_t storeReloads = 0;  // the store's reloads when firstFreeTail was started
    };
    // resolve for a path whose folder exists under the names as written; false
    // (result untouched) when it does not.
    bool resolveExactly(const std::filesystem::path& root, Resolved& result);
    // resolveExactly for a path whose folder is missing as written (parent):
    // true with result filled in when no spelling of the path exists.
    bool missingBelowExactFolder(const std::filesystem::path& parent, Resolved& result);
    static std::optional<FolderStamp> stampOf(const std::filesystem::path& folder);
    // The current listing of a folder; nothing when it cannot be read. A stamp
    // the caller has just taken saves looking at the folder again.
    Listing* listing(const std::filesystem::path& folder, const std::optional<FolderStamp>& known = std::nullopt);
    // find for a name known not to exist as written.
    std::optional<HostEntry> findInexact(const std::filesystem::path& folder, const std::string& windowsName,
                                         const std::optional<FolderStamp>& known = std::nullopt);
    // Takes an entry made or removed through the machine into the listing that
    // prepareChange made ready, or drops the listing.
    void noteChange(const std::filesystem::path& folder, const std::string& hostName, std::optional<bool> folderKind);
    bool shortNameTaken(const std::filesystem::path& folder, Listing& names, const std::string& hostName,
                        const std::string& candidate);

    MetadataStore& store_;
    std::map<char, std::filesystem::path> drives_;
    std::map<std::string, Listing> listings_;
};

}  // namespace tavlin::hosted
