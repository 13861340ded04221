// Path lookup on the host: the exact host name is tried first (cheap), then the
// folder's kept listing is asked for the name ignoring case, and only a name that
// may be a short one makes the whole folder listed with its short names.
#include "platform/hosted/host_namespace.h"

#include <sys/stat.h>

#include <algorithm>
#include <set>
#include <string_view>
#include <system_error>

#include "platform/hosted/short_name.h"
#include "platform/hosted/windows_text.h"

namespace tavlin::hosted {

namespace {

namespace fs = std::filesystem;

// The kind of a host entry: folders and files (links followed); nothing for
// anything else, which Windows would not show.
std::optional<bool> kindOf(const fs::file_status& status) {
    if (fs::is_directory(status)) return true;
    if (fs::is_regular_file(status)) return false;
    return std::nullopt;
}

std::optional<bool> isFolderOnHost(const fs::path& path) {
    std::error_code error;
    const auto status = fs::status(path, error);
    if (error) return std::nullopt;
    return kindOf(status);
}

// Appends a host name as operator/= would. Building a path as text and making
// the path once is cheaper: each operator/= copies the path's list of components.
void appendHostName(std::string& text, std::string_view name) {
    if (!text.empty() && text.back() != '/') text += '/';
    text += name;
}

// The host folder that holds the path's last component, as text.
std::string hostParentText(const fs::path& root, const WindowsPath& path) {
    std::string text = root.native();
    for (std::size_t i = 0; i + 1 < path.components.size(); ++i) appendHostName(text, utf8FromWindows(path.components[i]));
    return text;
}

fs::path hostChild(std::string parentText, std::string_view name) {
    appendHostName(parentText, name);
    return fs::path(std::move(parentText));
}

FolderStamp folderStampFrom(const struct stat& info) {
    FolderStamp stamp;
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    stamp.size = static_cast<std::uint64_t>(info.st_size);
    stamp.links = info.st_nlink;
    stamp.modified = std::int64_t{info.st_mtim.tv_sec} * 1000000000 + info.st_mtim.tv_nsec;
    stamp.changed = std::int64_t{info.st_ctim.tv_sec} * 1000000000 + info.st_ctim.tv_nsec;
    return stamp;
}

// One look at a host path: its kind as isFolderOnHost gives it and, for a folder,
// its stamp.
struct HostLook {
    std::optional<bool> kind;
    std::optional<FolderStamp> stamp;
    HostStatus status;
};

HostLook lookAt(const fs::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return {};
    const HostStatus status{static_cast<std::uint64_t>(info.st_size), info.st_mtim.tv_sec};
    if (S_ISDIR(info.st_mode)) return {true, folderStampFrom(info), status};
    if (S_ISREG(info.st_mode)) return {false, std::nullopt, status};
    return {};
}

}  // namespace

void HostNamespace::mapDrive(char letter, const fs::path& hostFolder) {
    drives_[upperWindowsChar(letter)] = hostFolder;
}

const fs::path* HostNamespace::driveRoot(char letter) const {
    const auto found = drives_.find(upperWindowsChar(letter));
    return found == drives_.end() ? nullptr : &found->second;
}

std::optional<FolderStamp> HostNamespace::stampOf(const fs::path& folder) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return std::nullopt;
    return folderStampFrom(info);
}

HostNamespace::Listing* HostNamespace::listing(const fs::path& folder, const std::optional<FolderStamp>& known) {
    const std::string key = folder.string();
    // The stamp is taken before the entries are read: a change while reading
    // them leaves a stamp that no longer matches, and the next use reads again.
    const auto stamp = known ? known : stampOf(folder);
    if (!stamp) {
        listings_.erase(key);
        return nullptr;
    }
    Listing& names = listings_[key];
    if (names.stamp == *stamp) return &names;
    names = Listing{};
    names.stamp = *stamp;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string hostName = it->path().filename().string();
        // The directory entry knows its kind without a look at the file, except for links.
        std::error_code kindError;
        bool folderKind = it->is_directory(kindError);
        if (kindError) continue;
        if (!folderKind && !it->is_regular_file(kindError)) continue;
        if (kindError) continue;
        names.entries.emplace(hostName, folderKind);
        names.byName.emplace(upperWindows(windowsFromUtf8(hostName)), hostName);
    }
    return &names;
}

void HostNamespace::prepareChange(const fs::path& folder, const std::optional<FolderStamp>& known) {
    if (Listing* names = listing(folder, known)) names->changing = true;
}

void HostNamespace::noteChange(const fs::path& folder, const std::string& hostName, std::optional<bool> folderKind) {
    const auto found = listings_.find(folder.string());
    if (found == listings_.end()) return;
    Listing& names = found->second;
    const auto stamp = stampOf(folder);
    if (!names.changing || !stamp) {
        listings_.erase(found);
        return;
    }
    names.changing = false;
    names.stamp = *stamp;
    const auto upper = upperWindows(windowsFromUtf8(hostName));
    const auto [first, last] = names.byName.equal_range(upper);
    const auto same = std::find_if(first, last, [&](const auto& item) { return item.second == hostName; });
    if (folderKind) {
        names.entries[hostName] = *folderKind;
        if (same == last) names.byName.emplace(upper, hostName);
    } else {
        names.entries.erase(hostName);
        if (same != last) names.byName.erase(same);
        // A freed short name may be lower than a sequence's first free one.
        names.firstFreeTail.clear();
    }
}

std::vector<HostEntry> HostNamespace::list(const fs::path& folder, const std::optional<FolderStamp>& known) {
    std::vector<HostEntry> entries;
    const Listing* names = listing(folder, known);
    if (!names) return entries;
    entries.reserve(names->entries.size());
    for (const auto& [upper, hostName] : names->byName) {
        entries.push_back({hostName, windowsFromUtf8(hostName), {}, names->entries.at(hostName)});
    }
    // byName holds the upper-cased names in order; equal ones go by host name.
    for (auto first = entries.begin(); first != entries.end();) {
        const std::string upper = upperWindows(first->longName);
        auto last = std::find_if(first + 1, entries.end(),
                                 [&](const HostEntry& entry) { return upperWindows(entry.longName) != upper; });
        std::sort(first, last, [](const HostEntry& a, const HostEntry& b) { return a.hostName < b.hostName; });
        first = last;
    }

    std::set<std::string> present;
    for (const auto& entry : entries) present.insert(entry.hostName);
    const auto recorded = store_.folderEntries(folder, present);
    std::set<std::string> used;
    for (auto& entry : entries) {
        if (fitsShortName(entry.longName)) {
            entry.shortName = entry.longName;
        } else if (const auto found = recorded.find(entry.hostName);
                   found != recorded.end() && !found->second.shortName.empty()) {
            entry.shortName = found->second.shortName;
        }
        if (!entry.shortName.empty()) used.insert(upperWindows(entry.shortName));
    }
    std::map<std::string, std::string> given;
    // Names only join used, so a sequence's numbers below the last one given stay
    // taken: each name goes on from there rather than trying them all again,
    // which made listing a folder of many similar names square in their count.
    std::map<std::string, unsigned> firstFreeTail;
    for (auto& entry : entries) {
        if (!entry.shortName.empty()) continue;
        entry.shortName = makeShortName(
            entry.longName, [&](const std::string& name) { return used.count(name) > 0; },
            firstFreeTail[shortNameSequence(entry.longName)]);
        used.insert(entry.shortName);
        given[entry.hostName] = entry.shortName;
    }
    if (!given.empty()) store_.setShortNames(folder, given);
    return entries;
}

std::optional<HostEntry> HostNamespace::find(const fs::path& folder, const std::string& windowsName) {
    const std::string exact = utf8FromWindows(windowsName);
    if (const auto kind = isFolderOnHost(folder / exact)) {
        return HostEntry{exact, windowsFromUtf8(exact), {}, *kind};
    }
    return findInexact(folder, windowsName);
}

std::optional<HostEntry> HostNamespace::findInexact(const fs::path& folder, const std::string& windowsName,
                                                    const std::optional<FolderStamp>& known) {
    const Listing* names = listing(folder, known);
    if (!names) return std::nullopt;
    // Of names that differ in letter case only, the host may hold several; take
    // the one a listing shows first.
    const auto [first, last] = names->byName.equal_range(upperWindows(windowsName));
    const auto best = std::min_element(first, last, [](const auto& a, const auto& b) { return a.second < b.second; });
    if (best != last) return HostEntry{best->second, windowsFromUtf8(best->second), {}, names->entries.at(best->second)};
    // Names made by the machine always hold "~"; without one only long names can match.
    if (windowsName.find('~') == std::string::npos) return std::nullopt;
    for (const auto& entry : list(folder)) {
        if (equalsIgnoringCase(entry.shortName, windowsName)) return entry;
    }
    return std::nullopt;
}

std::vector<HostEntry> HostNamespace::findAllNamed(const fs::path& folder, const std::string& windowsName,
                                                 const std::optional<FolderStamp>& known) {
    std::vector<HostEntry> found;
    if (windowsName.find('~') != std::string::npos) {
        for (auto& entry : list(folder, known)) {
            if (equalsIgnoringCase(entry.longName, windowsName) || equalsIgnoringCase(entry.shortName, windowsName)) {
                found.push_back(std::move(entry));
            }
        }
        return found;
    }
    const Listing* names = listing(folder, known);
    if (!names) return found;
    const auto [first, last] = names->byName.equal_range(upperWindows(windowsName));
    for (auto it = first; it != last; ++it) {
        found.push_back({it->second, windowsFromUtf8(it->second), {}, names->entries.at(it->second)});
    }
    std::sort(found.begin(), found.end(), [](const HostEntry& a, const HostEntry& b) { return a.hostName < b.hostName; });
    for (auto& entry : found) entry.shortName = shortNameOf(folder, entry);
    return found;
}

bool HostNamespace::shortNameTaken(const fs::path& folder, Listing& names, const std::string& hostName,
                                   const std::string& candidate) {
    // A host name that fits 8.3 is its own short name; a recorded one counts while
    // its entry is there.
    if (names.byName.count(candidate) > 0) return true;
    return store_.shortNameUsed(folder, candidate, [&](const std::string& owner) {
        return owner != hostName && names.entries.count(owner) > 0;
    });
}

void HostNamespace::startEntry(const fs::path& folder, const std::string& hostName, bool isFolder) {
    noteChange(folder, hostName, isFolder);
    const std::string longName = windowsFromUtf8(hostName);
    std::string shortName;
    if (!fitsShortName(longName)) {
        // noteChange has just looked at the folder when it kept the listing.
        const auto kept = listings_.find(folder.string());
        Listing* names = kept != listings_.end() ? &kept->second : listing(folder);
        if (!names) return;
        // What the store kept of an earlier entry of this name is dropped below,
        // and whatever another process changed in the store is not known here.
        if (!store_.get(folder, hostName).shortName.empty() || names->storeReloads != store_.reloads()) {
            names->firstFreeTail.clear();
            names->storeReloads = store_.reloads();
        }
        unsigned& firstNumber = names->firstFreeTail[shortNameSequence(longName)];
        shortName = makeShortName(
            longName, [&](const std::string& candidate) { return shortNameTaken(folder, *names, hostName, candidate); },
            firstNumber);
    }
    store_.renew(folder, hostName, shortName);
}

void HostNamespace::removedEntry(const fs::path& folder, const std::string& hostName) {
    noteChange(folder, hostName, std::nullopt);
    store_.forget(folder, hostName);
}

std::string HostNamespace::shortNameOf(const fs::path& folder, const HostEntry& entry) {
    if (!entry.shortName.empty()) return entry.shortName;
    if (fitsShortName(entry.longName)) return entry.longName;
    const std::string recorded = store_.get(folder, entry.hostName).shortName;
    if (!recorded.empty()) return recorded;
    for (const auto& listed : list(folder)) {
        if (listed.hostName == entry.hostName) return listed.shortName;
    }
    return entry.longName;
}

bool HostNamespace::resolveExactly(const fs::path& root, Resolved& result) {
    // Exact names win at every level, so when the path exists as written on the
    // host it is what the walk below would find, for one look instead of one per
    // component; when only its folder does, only the last name is looked up.
    const WindowsPath& path = result.path;
    const std::string parentText = hostParentText(root, path);
    fs::path parent(parentText);
    const std::string name = utf8FromWindows(path.components.back());
    fs::path host = hostChild(parentText, name);
    const HostLook look = lookAt(host);
    const auto& kind = look.kind;
    if (!kind) {
        const auto parentStamp = stampOf(parent);
        if (!parentStamp) return missingBelowExactFolder(parent, result);
        result.parentIsFolder = true;
        result.hostParent = parent;
        result.parentStamp = parentStamp;
        if (const auto entry = findInexact(parent, path.components.back(), parentStamp)) {
            result.host = parent / entry->hostName;
            result.exists = true;
            result.folder = entry->folder;
            result.hostName = entry->hostName;
        } else {
            result.host = std::move(host);
            result.hostName = name;
        }
    } else {
        result.host = std::move(host);
        result.exists = true;
        result.folder = *kind;
        result.stamp = look.stamp;
        result.hostStatus = look.status;
        result.parentIsFolder = true;
        result.hostParent = std::move(parent);
        result.hostName = name;
    }
    // A file named with a trailing separator is not found, as on Windows.
    if (result.exists && !result.folder && path.trailingSeparator) result.exists = false;
    return true;
}

bool HostNamespace::missingBelowExactFolder(const fs::path& parent, Resolved& result) {
    // The folder that holds the path is not there as written: look upwards for
    // the deepest level that is. When the next name is not there in any spelling
    // either, nothing below it is, and the walk from the root need not be made.
    const WindowsPath& path = result.path;
    fs::path level = parent;
    std::size_t depth = path.components.size() - 1;  // components that level spells
    while (depth > 0) {
        level = level.parent_path();
        --depth;
        const HostLook look = lookAt(level);
        if (!look.kind) continue;
        // A file on the way ends the path as the walk would: exact names win.
        if (*look.kind && findInexact(level, path.components[depth], look.stamp)) return false;
        result.host = parent / utf8FromWindows(path.components.back());
        result.hostName = utf8FromWindows(path.components.back());
        return true;
    }
    return false;
}

std::optional<Resolved> HostNamespace::resolveForChange(const WindowsPath& path) {
    const auto root = driveRoot(path.driveLetter());
    // A name that may be a short one, or one written as a folder, goes the long way.
    if (!root || path.components.empty() || path.trailingSeparator ||
        path.components.back().find('~') != std::string::npos) {
        return resolve(path);
    }
    const std::string parentText = hostParentText(*root, path);
    const auto kept = listings_.find(parentText);
    if (kept == listings_.end()) return resolve(path);
    fs::path parent(parentText);
    const auto stamp = stampOf(parent);
    if (!stamp || kept->second.stamp != *stamp) return resolve(path);
    const Listing& names = kept->second;
    const std::string name = utf8FromWindows(path.components.back());
    const auto exact = names.entries.find(name);
    const bool missing = names.byName.count(upperWindows(path.components.back())) == 0;
    // An exact file is what resolve finds; a folder (whose own stamp resolve
    // gives) or another spelling goes the long way.
    if (!missing && (exact == names.entries.end() || exact->second)) return resolve(path);
    Resolved result;
    result.path = path;
    result.host = hostChild(parentText, name);
    result.exists = !missing;
    result.parentIsFolder = true;
    result.hostParent = std::move(parent);
    result.hostName = name;
    result.parentStamp = stamp;
    return result;
}

std::optional<Resolved> HostNamespace::resolve(const WindowsPath& path) {
    const auto root = driveRoot(path.driveLetter());
    if (!root) return std::nullopt;
    Resolved result;
    result.path = path;
    if (!path.components.empty() && resolveExactly(*root, result)) return result;
    fs::path host = *root;
    bool matching = isFolderOnHost(host).value_or(false);
    if (path.components.empty()) {
        result.host = host;
        result.exists = result.folder = matching;
        return result;
    }
    for (std::size_t i = 0; i < path.components.size(); ++i) {
        const std::string& component = path.components[i];
        const bool last = i + 1 == path.components.size();
        if (last && matching) {
            result.parentIsFolder = true;
            result.hostParent = host;
        }
        if (matching) {
            if (const auto entry = find(host, component); entry && (entry->folder || last)) {
                host /= entry->hostName;
                if (last) {
                    result.exists = true;
                    result.folder = entry->folder;
                    result.hostName = entry->hostName;
                }
                continue;
            }
            matching = false;
        }
        host /= utf8FromWindows(component);
        if (last) result.hostName = utf8FromWindows(component);
    }
    result.host = host;
    // A file named with a trailing separator is not found, as on Windows.
    if (result.exists && !result.folder && path.trailingSeparator) result.exists = false;
    return result;
}

}  // namespace tavlin::hosted
