// The metadata file holds one line per entry: folder, name, attributes (hex or
// "-") and short name, separated by tabs, with "\" escapes for tab, line breaks
// and "\" itself.
#include "platform/hosted/metadata_store.h"

#include <cstdio>
#include <sstream>
#include <vector>

namespace tavlin::hosted {

namespace {

constexpr std::string_view kHeader = "# tavlin hosted machine: file attributes and short names\n";

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

std::vector<std::string_view> fields(std::string_view line) {
    std::vector<std::string_view> out;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i == line.size() || line[i] == '\t') {
            out.push_back(line.substr(start, i - start));
            start = i + 1;
        }
    }
    return out;
}

}  // namespace

MetadataStore::MetadataStore(std::filesystem::path storeFile, std::filesystem::path base)
    : file_(std::move(storeFile)), base_(std::move(base).lexically_normal()) {
    refresh();
}

std::string MetadataStore::keyOf(const std::filesystem::path& folder) const {
    const auto normal = folder.lexically_normal();
    if (!base_.empty()) {
        const auto relative = normal.lexically_relative(base_);
        if (!relative.empty() && *relative.begin() != "..") return relative.generic_string();
    }
    return normal.generic_string();
}

void MetadataStore::refresh() {
    if (file_.empty()) return;
    const FileStamp now = stampOf(file_);
    if (now == stamp_) return;
    folders_.clear();
    stamp_ = now;
    const auto bytes = readHostFile(file_);
    if (!bytes) return;
    std::istringstream in(*bytes);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        const auto parts = fields(line);
        if (parts.size() != 4) continue;
        Entry entry;
        if (parts[2] != "-") {
            unsigned value = 0;
            if (std::sscanf(std::string(parts[2]).c_str(), "%x", &value) == 1) entry.attributes = value;
        }
        entry.shortName = unescaped(parts[3]);
        folders_[unescaped(parts[0])][unescaped(parts[1])] = entry;
    }
}

void MetadataStore::save() {
    if (file_.empty()) return;
    std::string out(kHeader);
    for (const auto& [folder, entries] : folders_) {
        for (const auto& [name, entry] : entries) {
            char attributes[16] = "-";
            if (entry.attributes) std::snprintf(attributes, sizeof attributes, "%x", *entry.attributes);
            out += escaped(folder) + '\t' + escaped(name) + '\t' + attributes + '\t' + escaped(entry.shortName) + '\n';
        }
    }
    replaceHostFile(file_, out);
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
    Entry& entry = folders_[key][hostName];
    if (entry.attributes == attributes) return;
    entry.attributes = attributes;
    if (!entry.attributes && entry.shortName.empty()) {
        folders_[key].erase(hostName);
        if (folders_[key].empty()) folders_.erase(key);
    }
    save();
}

void MetadataStore::setShortName(const std::filesystem::path& folder, const std::string& hostName,
                                 const std::string& shortName) {
    refresh();
    Entry& entry = folders_[keyOf(folder)][hostName];
    if (entry.shortName == shortName) return;
    entry.shortName = shortName;
    save();
}

void MetadataStore::forget(const std::filesystem::path& folder, const std::string& hostName) {
    refresh();
    bool changed = false;
    const std::string key = keyOf(folder);
    if (const auto found = folders_.find(key); found != folders_.end()) {
        changed = found->second.erase(hostName) > 0;
        if (found->second.empty()) folders_.erase(found);
    }
    const std::string below = keyOf(folder / hostName);
    for (auto it = folders_.lower_bound(below); it != folders_.end();) {
        const std::string& name = it->first;
        const bool inside = name == below || (name.size() > below.size() && name.compare(0, below.size(), below) == 0 &&
                                              name[below.size()] == '/');
        if (!inside) {
            if (name.compare(0, below.size(), below) != 0) break;
            ++it;
            continue;
        }
        it = folders_.erase(it);
        changed = true;
    }
    if (changed) save();
}

std::map<std::string, MetadataStore::Entry> MetadataStore::folderEntries(const std::filesystem::path& folder,
                                                                         const std::set<std::string>& present) {
    refresh();
    const auto found = folders_.find(keyOf(folder));
    if (found == folders_.end()) return {};
    bool changed = false;
    for (auto it = found->second.begin(); it != found->second.end();) {
        if (present.count(it->first) == 0) {
            it = found->second.erase(it);
            changed = true;
        } else {
            ++it;
        }
    }
    std::map<std::string, Entry> entries = found->second;
    if (found->second.empty()) folders_.erase(found);
    if (changed) save();
    return entries;
}

}  // namespace tavlin::hosted
