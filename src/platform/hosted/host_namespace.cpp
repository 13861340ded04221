// Path lookup on the host: the exact host name is tried first (cheap), then the
// folder's names are compared ignoring case, and only a name that may be a short
// one makes the whole folder listed with its short names.
#include "platform/hosted/host_namespace.h"

#include <algorithm>
#include <set>
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

// The names in a host folder, without looking at the entries themselves.
std::vector<std::string> hostNamesIn(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        names.push_back(it->path().filename().string());
    }
    return names;
}

}  // namespace

void HostNamespace::mapDrive(char letter, const fs::path& hostFolder) {
    drives_[upperWindowsChar(letter)] = hostFolder;
}

std::optional<fs::path> HostNamespace::driveRoot(char letter) const {
    const auto found = drives_.find(upperWindowsChar(letter));
    if (found == drives_.end()) return std::nullopt;
    return found->second;
}

std::vector<HostEntry> HostNamespace::list(const fs::path& folder) {
    std::vector<HostEntry> entries;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string hostName = it->path().filename().string();
        // The directory entry knows its kind without a look at the file, except for links.
        std::error_code statusError;
        const auto kind = kindOf(it->status(statusError));
        if (statusError || !kind) continue;
        entries.push_back({hostName, windowsFromUtf8(hostName), {}, *kind});
    }
    std::sort(entries.begin(), entries.end(), [](const HostEntry& a, const HostEntry& b) {
        const std::string ua = upperWindows(a.longName), ub = upperWindows(b.longName);
        return ua != ub ? ua < ub : a.hostName < b.hostName;
    });

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
    for (auto& entry : entries) {
        if (!entry.shortName.empty()) continue;
        entry.shortName = makeShortName(entry.longName, [&](const std::string& name) { return used.count(name) > 0; });
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
    // Names made by the machine always hold "~"; without one only long names can
    // match, and the folder's names alone tell.
    if (windowsName.find('~') == std::string::npos) {
        std::optional<HostEntry> found;
        for (const auto& hostName : hostNamesIn(folder)) {
            const std::string longName = windowsFromUtf8(hostName);
            // Of names that differ in letter case only, the host may hold several; take
            // the one a listing shows first.
            if (!equalsIgnoringCase(longName, windowsName) || (found && found->hostName < hostName)) continue;
            if (const auto kind = isFolderOnHost(folder / hostName)) found = HostEntry{hostName, longName, {}, *kind};
        }
        return found;
    }
    const auto entries = list(folder);
    for (const auto& entry : entries) {
        if (equalsIgnoringCase(entry.longName, windowsName)) return entry;
    }
    for (const auto& entry : entries) {
        if (equalsIgnoringCase(entry.shortName, windowsName)) return entry;
    }
    return std::nullopt;
}

void HostNamespace::startEntry(const fs::path& folder, const std::string& hostName) {
    const std::string longName = windowsFromUtf8(hostName);
    std::string shortName;
    if (!fitsShortName(longName)) {
        const auto names = hostNamesIn(folder);
        const std::set<std::string> present(names.begin(), names.end());
        std::set<std::string> used;
        for (const auto& name : names) {
            if (const std::string windowsName = windowsFromUtf8(name); fitsShortName(windowsName)) {
                used.insert(upperWindows(windowsName));
            }
        }
        for (const auto& [name, entry] : store_.folderEntries(folder, present)) {
            if (name != hostName && !entry.shortName.empty()) used.insert(upperWindows(entry.shortName));
        }
        shortName = makeShortName(longName, [&](const std::string& name) { return used.count(name) > 0; });
    }
    store_.renew(folder, hostName, shortName);
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

std::optional<Resolved> HostNamespace::resolve(const WindowsPath& path) {
    const auto root = driveRoot(path.driveLetter());
    if (!root) return std::nullopt;
    Resolved result;
    result.path = path;
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
