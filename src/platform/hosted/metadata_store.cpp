// The metadata file holds one record per line, fields separated by tabs, with "\"
// escapes for tab, line breaks and "\" itself:
//   S folder name attributes(hex or "-") shortName   sets an entry
//   F folder name                                     drops it and all below it
#include "platform/hosted/metadata_store.h"

#include <cstdio>
#include <vector>

#include "platform/hosted/normal_path.h"
#include "platform/hosted/windows_text.h"

namespace tavlin::hosted {

namespace {

constexpr std::string_view kHeader = "# tavlin hosted machine: file attributes and short names\n";
// Compaction once the superseded records outnumber the live ones (and a few more).
constexpr std::size_t kSlack = 64;

std::string escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\t': out += "\\t"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            default: out += c;
        }
    }
    return out;
}

std::string unescaped(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        switch (text[++i]) {
            case 't': out += '\t'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            default: out += text[i];
        }
    }
    return out;
}

std::vector<std::string> fields(std::string_view line) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i == line.size() || line[i] == '\t') {
            out.push_back(unescaped(line.substr(start, i - start)));
            start = i + 1;
        }
    }
    return out;
}

}  // namespace

MetadataStore::MetadataStore(std::filesystem::path storeFile, std::filesystem::path base)
    : file_(std::move(storeFile)), base_(std::move(base).lexically_normal()) {
    baseText_ = base_.generic_string();
    if (baseText_.size() > 1 && baseText_.back() == '/') baseText_.pop_back();
    refresh();
}

std::string MetadataStore::keyOf(const std::filesystem::path& folder) const {
    // The machine's own paths are normal already and below the base: cut the text
    // instead of normalising it, which costs more than the rest of a look-up.
    if constexpr (std::filesystem::path::preferred_separator == '/') {
        const std::string& text = folder.native();
        if (!baseText_.empty() && baseText_ != "/" && isNormalPath(text) && text.compare(0, baseText_.size(), baseText_) == 0) {
            if (text.size() == baseText_.size()) return ".";
            if (text[baseText_.size()] == '/') return text.substr(baseText_.size() + 1);
        }
    }
    const auto normal = folder.lexically_normal();
    if (!base_.empty()) {
        const auto relative = normal.lexically_relative(base_);
        if (!relative.empty() && *relative.begin() != "..") return relative.generic_string();
    }
    return normal.generic_string();
}

MetadataStore::Entry& MetadataStore::entryOf(const std::string& folderKey, const std::string& hostName) {
    const auto [entry, added] = folders_[folderKey].try_emplace(hostName);
    live_ += added ? 1 : 0;
    return entry->second;
}

void MetadataStore::apply(const std::string& line) {
    const auto parts = fields(line);
    if (parts.size() == 3 && parts[0] == "F") {
        eraseKey(parts[1], parts[2]);
    } else if (parts.size() == 5 && parts[0] == "S") {
        Entry entry;
        unsigned value = 0;
        if (parts[3] != "-" && std::sscanf(parts[3].c_str(), "%x", &value) == 1) entry.attributes = value;
        entry.shortName = parts[4];
        if (entry.attributes || !entry.shortName.empty()) {
            Entry& recorded = entryOf(parts[1], parts[2]);
            recorded.attributes = entry.attributes;
            setShortName(parts[1], parts[2], recorded, entry.shortName);
        } else if (const auto found = folders_.find(parts[1]); found != folders_.end()) {
            eraseEntry(found->second, parts[1], parts[2]);
            if (found->second.empty()) folders_.erase(found);
        }
    }
}

void MetadataStore::setShortName(const std::string& folderKey, const std::string& hostName, Entry& entry,
                                 const std::string& shortName) {
    if (entry.shortName == shortName) return;
    if (!entry.shortName.empty()) {
        auto& owners = shortNames_[folderKey];
        const auto [first, last] = owners.equal_range(upperWindows(entry.shortName));
        for (auto it = first; it != last; ++it) {
            if (it->second == hostName) {
                owners.erase(it);
                break;
            }
        }
    }
    entry.shortName = shortName;
    if (!shortName.empty()) shortNames_[folderKey].emplace(upperWindows(shortName), hostName);
}

void MetadataStore::eraseEntry(std::map<std::string, Entry>& entries, const std::string& folderKey,
                               const std::string& hostName) {
    const auto found = entries.find(hostName);
    if (found == entries.end()) return;
    setShortName(folderKey, hostName, found->second, std::string());
    entries.erase(found);
    --live_;
}

void MetadataStore::refresh() {
    if (file_.empty() || sessions_ > 0) return;
    const auto held = appender_.stampWhileNamed();
    const FileStamp now = held ? *held : stampOf(file_);
    if (now == stamp_) return;
    folders_.clear();
    shortNames_.clear();
    live_ = 0;
    ++reloads_;
    records_ = 0;
    stamp_ = now;
    const auto bytes = readHostFile(file_);
    if (!bytes) return;
    endsCleanly_ = bytes->empty() || bytes->back() == '\n';
    std::size_t pos = 0;
    for (;;) {
        const auto end = bytes->find('\n', pos);
        if (end == std::string::npos) break;  // a last line without its end was cut short
        const std::string line = bytes->substr(pos, end - pos);
        pos = end + 1;
        if (line.empty() || line[0] == '#') continue;
        apply(line);
        ++records_;
    }
}

std::string MetadataStore::setRecord(const std::string& folderKey, const std::string& hostName) const {
    Entry entry;
    if (const auto folder = folders_.find(folderKey); folder != folders_.end()) {
        if (const auto found = folder->second.find(hostName); found != folder->second.end()) entry = found->second;
    }
    char attributes[16] = "-";
    if (entry.attributes) std::snprintf(attributes, sizeof attributes, "%x", *entry.attributes);
    return "S\t" + escaped(folderKey) + '\t' + escaped(hostName) + '\t' + attributes + '\t' +
           escaped(entry.shortName) + '\n';
}

std::string MetadataStore::forgetRecord(const std::string& folderKey, const std::string& hostName) const {
    return "F\t" + escaped(folderKey) + '\t' + escaped(hostName) + '\n';
}

void MetadataStore::append(const std::string& newRecords) {
    if (file_.empty() || newRecords.empty()) return;
    // The file was looked at when the operation began (or after the last append),
    // which is the state these records follow; only when that is not known is it
    // looked at again.
    const bool known = stamp_.exists;
    const FileStamp before = known ? stamp_ : stampOf(file_);
    if (!before.exists) {
        compact();
        return;
    }
    // A record cut short by a killed process must not swallow the next one.
    const std::string records = endsCleanly_ ? newRecords : "\n" + newRecords;
    const FileStamp after = appender_.append(file_, records);
    endsCleanly_ = true;
    for (const char c : newRecords) records_ += c == '\n';
    // Another process that appended meanwhile makes the sizes disagree: read it all again.
    // So does a file that another process made since this one found none.
    stamp_ = known && after.size == before.size + records.size() && after.inode == before.inode ? after : FileStamp{};
    if (records_ > 2 * live_ + kSlack) compact();
}

void MetadataStore::compact() {
    std::string out(kHeader);
    records_ = 0;
    for (const auto& [folder, entries] : folders_) {
        for (const auto& [name, entry] : entries) {
            out += setRecord(folder, name);
            ++records_;
        }
    }
    appender_.close();
    replaceHostFile(file_, out);
    endsCleanly_ = true;
    stamp_ = stampOf(file_);
}

MetadataStore::Entry MetadataStore::get(const std::filesystem::path& folder, const std::string& hostName) {
    refresh();
    const auto found = folders_.find(keyOf(folder));
    if (found == folders_.end()) return {};
    const auto entry = found->second.find(hostName);
    return entry == found->second.end() ? Entry{} : entry->second;
}

void MetadataStore::setAttributes(const std::filesystem::path& folder, const std::string& hostName,
                                  std::optional<std::uint32_t> attributes) {
    refresh();
    const std::string key = keyOf(folder);
    Entry& entry = entryOf(key, hostName);
    const bool changed = entry.attributes != attributes;
    entry.attributes = attributes;
    const std::string record = changed ? setRecord(key, hostName) : std::string();
    auto& entries = folders_[key];
    if (!entry.attributes && entry.shortName.empty()) eraseEntry(entries, key, hostName);
    if (entries.empty()) folders_.erase(key);
    append(record);
}

void MetadataStore::setShortNames(const std::filesystem::path& folder,
                                  const std::map<std::string, std::string>& shortNames) {
    refresh();
    const std::string key = keyOf(folder);
    std::string records;
    for (const auto& [hostName, shortName] : shortNames) {
        Entry& entry = entryOf(key, hostName);
        if (entry.shortName == shortName) continue;
        setShortName(key, hostName, entry, shortName);
        records += setRecord(key, hostName);
    }
    if (const auto found = folders_.find(key); found != folders_.end() && found->second.empty()) folders_.erase(found);
    append(records);
}

bool MetadataStore::eraseKey(const std::string& folderKey, const std::string& hostName) {
    bool changed = false;
    if (const auto found = folders_.find(folderKey); found != folders_.end()) {
        changed = found->second.count(hostName) > 0;
        eraseEntry(found->second, folderKey, hostName);
        if (found->second.empty()) folders_.erase(found);
    }
    // Entries below a folder are kept under keys that start with the folder's own.
    std::string below = hostName;
    if (folderKey != ".") below = folderKey + (folderKey.back() == '/' ? "" : "/") + hostName;
    for (auto it = folders_.lower_bound(below); it != folders_.end();) {
        const std::string& name = it->first;
        if (name.compare(0, below.size(), below) != 0) break;
        if (name.size() > below.size() && name[below.size()] != '/') {
            ++it;
            continue;
        }
        shortNames_.erase(name);
        live_ -= it->second.size();
        it = folders_.erase(it);
        changed = true;
    }
    return changed;
}

void MetadataStore::forget(const std::filesystem::path& folder, const std::string& hostName) {
    refresh();
    const std::string key = keyOf(folder);
    if (eraseKey(key, hostName)) append(forgetRecord(key, hostName));
}

void MetadataStore::renew(const std::filesystem::path& folder, const std::string& hostName,
                          const std::string& shortName) {
    refresh();
    const std::string key = keyOf(folder);
    std::string records;
    if (eraseKey(key, hostName)) records += forgetRecord(key, hostName);
    if (!shortName.empty()) {
        setShortName(key, hostName, entryOf(key, hostName), shortName);
        records += setRecord(key, hostName);
    }
    append(records);
}

std::map<std::string, MetadataStore::Entry> MetadataStore::folderEntries(const std::filesystem::path& folder,
                                                                         const std::set<std::string>& present) {
    refresh();
    const std::string key = keyOf(folder);
    const auto found = folders_.find(key);
    if (found == folders_.end()) return {};
    std::map<std::string, Entry> entries = found->second;
    std::string records;
    for (auto it = entries.begin(); it != entries.end();) {
        if (present.count(it->first) > 0) {
            ++it;
            continue;
        }
        eraseKey(key, it->first);
        records += forgetRecord(key, it->first);
        it = entries.erase(it);
    }
    append(records);
    return entries;
}

bool MetadataStore::shortNameUsed(const std::filesystem::path& folder, const std::string& shortName,
                                  const std::function<bool(const std::string& hostName)>& counts) {
    refresh();
    const auto owners = shortNames_.find(keyOf(folder));
    if (owners == shortNames_.end()) return false;
    const auto [first, last] = owners->second.equal_range(upperWindows(shortName));
    for (auto it = first; it != last; ++it) {
        if (counts(it->second)) return true;
    }
    return false;
}

}  // namespace tavlin::hosted
