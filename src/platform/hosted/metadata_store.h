// What Windows keeps about a file that a host file system does not: its
// attributes and its short name. Kept in one small file in the machine folder (or
// only in memory): each change appends one whole record, which a killed process
// cannot leave half written (a torn last line is ignored); when records pile up
// the file is replaced atomically by its live entries. Read again when another
// process has changed it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "platform/hosted/state_files.h"

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
    // Records short names of one folder (host name to short name), saving once.
    void setShortNames(const std::filesystem::path& folder, const std::map<std::string, std::string>& shortNames);
    // Drops an entry and, for a folder, everything recorded below it.
    void forget(const std::filesystem::path& folder, const std::string& hostName);
    // Starts a new entry afresh: what was recorded for an earlier entry of that name
    // is dropped, and the short name (when not empty) recorded.
    void renew(const std::filesystem::path& folder, const std::string& hostName, const std::string& shortName);
    // The entries of one folder, after dropping those whose host name is not in
    // present (files removed behind the machine's back).
    std::map<std::string, Entry> folderEntries(const std::filesystem::path& folder, const std::set<std::string>& present);
    // Whether an entry of the folder for which counts answers true has the short
    // name (any letter case); costs a lookup, not a walk over the folder.
    bool shortNameUsed(const std::filesystem::path& folder, const std::string& shortName,
                       const std::function<bool(const std::string& hostName)>& counts);
    // While a Session lives, the file is looked at once, when it starts: one
    // operation of the machine then costs one look however many entries it asks
    // about. The machine runs one operation at a time.
    class Session {
    public:
        explicit Session(MetadataStore& store) : store_(store) {
            store_.refresh();
            ++store_.sessions_;
        }
        ~Session() { --store_.sessions_; }
        Session(const Session&) = delete;
        Session& operator=(const Session&) = delete;

    private:
        MetadataStore& store_;
    };

    // Counts the times the entries were read again from the file, which another
    // process had changed: what a caller derived from them may be out of date.
    std::uint64_t reloads() const { return reloads_; }

private:
    // Drops what forget drops; true when anything was there.
    bool eraseKey(const std::string& folderKey, const std::string& hostName);
    std::string keyOf(const std::filesystem::path& folder) const;
    void refresh();
    // Appends the records of one change (whole lines) and compacts when due.
    void append(const std::string& records);
    void compact();
    // The record that sets an entry to its present state.
    std::string setRecord(const std::string& folderKey, const std::string& hostName) const;
    std::string forgetRecord(const std::string& folderKey, const std::string& hostName) const;
    // Applies one record to the entries in memory.
    void apply(const std::string& line);
    // The entry of a host name, made (and counted) when there was none.
    Entry& entryOf(const std::string& folderKey, const std::string& hostName);
    // Every change of an entry's short name goes through these, which keep
    // shortNames_ true.
    void setShortName(const std::string& folderKey, const std::string& hostName, Entry& entry,
                      const std::string& shortName);
    void eraseEntry(std::map<std::string, Entry>& entries, const std::string& folderKey, const std::string& hostName);

    std::filesystem::path file_;
    std::filesystem::path base_;
    std::string baseText_;  // base_ without a trailing separator
    std::map<std::string, std::map<std::string, Entry>> folders_;
    // Per folder key: upper-cased short name to the host names that record it.
    std::map<std::string, std::multimap<std::string, std::string>> shortNames_;
    std::size_t live_ = 0;  // entries in folders_, kept by every change so that no change counts them
    std::uint64_t reloads_ = 0;
    int sessions_ = 0;
    FileStamp stamp_;
    AppendFile appender_;
    std::size_t records_ = 0;  // records in the file, live or superseded
    bool endsCleanly_ = true;  // the file ends with a whole line
};

}  // namespace tavlin::hosted
