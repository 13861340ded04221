// File operations of the hosted machine. Each operation resolves its path first;
// a refused operation is answered the way the Windows call answers it (false,
// nothing, or the stream errors).
#include "platform/hosted/hosted_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <system_error>

#include "platform/errors.h"
#include "platform/hosted/dos_time.h"
#include "platform/hosted/host_file_stream.h"
#include "platform/hosted/normal_path.h"
#include "platform/hosted/state_files.h"
#include "platform/hosted/wildcard.h"
#include "platform/hosted/windows_text.h"

namespace tavlin::hosted {

namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kSettableAttributes = faReadOnly | faHidden | faSysFile | faArchive;

std::optional<struct stat> hostStatus(const fs::path& host) {
    struct stat info {};
    if (::stat(host.c_str(), &info) != 0) return std::nullopt;
    return info;
}

std::string keyOf(const Resolved& entry) { return normalPathText(entry.host); }

// Splits a search pattern into its folder (with the separator) and its name part.
std::pair<std::string, std::string> splitPattern(const std::string& pattern) {
    const auto cut = pattern.find_last_of("\\/");
    if (cut != std::string::npos) return {pattern.substr(0, cut + 1), pattern.substr(cut + 1)};
    if (pattern.size() >= 2 && pattern[1] == ':') return {pattern.substr(0, 2), pattern.substr(2)};
    return {std::string(), pattern};
}

// What the search would take differently from one look at the entry: no name, a
// name with a wildcard, or one with a trailing "." or separator.
bool takesTheSearchWay(const std::string& path) {
    const auto name = splitPattern(path).second;
    return name.empty() || name.back() == '.' || hasWildcards(name);
}

// The size and time of a found entry: what its look-up saw, else one look now.
std::optional<HostStatus> sizeAndTimeOf(const Resolved& entry) {
    if (entry.hostStatus) return entry.hostStatus;
    const auto host = hostStatus(entry.host);
    if (!host) return std::nullopt;
    return HostStatus{static_cast<std::uint64_t>(host->st_size), host->st_mtim.tv_sec};
}

}  // namespace

HostedFileSystem::HostedFileSystem(HostNamespace& names, FileSystemSettings settings)
    : names_(names), settings_(std::move(settings)) {}

std::optional<WindowsPath> HostedFileSystem::absolute(const std::string& path) const {
    if (path.find('\0') != std::string::npos) return std::nullopt;
    return absolutePath(path, settings_.currentDirectory);
}

std::optional<Resolved> HostedFileSystem::resolve(const std::string& path) {
    const auto full = absolute(path);
    if (!full) return std::nullopt;
    return names_.resolve(*full);
}

std::uint32_t HostedFileSystem::attributesOf(const Resolved& entry) {
    const auto recorded =
        entry.path.isRoot() ? MetadataStore::Entry{} : names_.store().get(entry.hostParent, entry.hostName);
    if (entry.folder) return faDirectory | (recorded.attributes.value_or(0) & kSettableAttributes);
    std::uint32_t attributes = recorded.attributes.value_or(faArchive) & kSettableAttributes;
    if (settings_.readOnlyFromHost) {
        const auto info = hostStatus(entry.host);
        attributes &= ~faReadOnly;
        if (info && (info->st_mode & S_IWUSR) == 0) attributes |= faReadOnly;
    }
    return attributes == 0 ? faNormal : attributes;
}

std::optional<std::uint32_t> HostedFileSystem::dosTimeOf(const fs::path& host) const {
    const auto info = hostStatus(host);
    if (!info) return std::nullopt;
    return dosTimeFromHost(info->st_mtim.tv_sec);
}

bool HostedFileSystem::isCurrentDirectory(const Resolved& entry) {
    const auto current = names_.resolve(settings_.currentDirectory);
    return current && current->exists && current->host.lexically_normal() == entry.host.lexically_normal();
}

std::vector<FindData> HostedFileSystem::findAll(const std::string& pattern) {
    const MetadataStore::Session session(names_.store());
    const auto [folderText, namePattern] = splitPattern(pattern);
    if (namePattern.empty()) return {};
    const auto folder = resolve(folderText.empty() ? std::string(".") : folderText);
    if (!folder || !folder->folder) return {};

    std::vector<FindData> found;
    auto add = [&](const std::string& name, const std::string& alternate, std::uint32_t attributes,
                   const fs::path& host) {
        FindData data;
        data.name = name;
        data.alternateName = alternate;
        data.attributes = attributes;
        // One look at the entry gives both its size and its time.
        const auto info = hostStatus(host);
        if (info && (attributes & faDirectory) == 0) data.size = static_cast<std::uint64_t>(info->st_size);
        data.lastWriteDos = info ? dosTimeFromHost(info->st_mtim.tv_sec).value_or(0) : 0;
        found.push_back(std::move(data));
    };
    if (!folder->path.isRoot()) {
        if (matchesWildcard(".", namePattern)) add(".", "", faDirectory, folder->host);
        if (matchesWildcard("..", namePattern)) add("..", "", faDirectory, folder->host.parent_path());
    }
    // A plain name is looked up rather than matched against the whole folder.
    // (A trailing "." matches the name without it, so that goes the long way.)
    const bool plainName = !hasWildcards(namePattern) && namePattern.back() != '.';
    for (const auto& entry : plainName ? names_.findAllNamed(folder->host, namePattern, folder->stamp)
                                       : names_.list(folder->host, folder->stamp)) {
        const bool ownShortName = equalsIgnoringCase(entry.shortName, entry.longName);
        if (!matchesWildcard(entry.longName, namePattern) &&
            (ownShortName || !matchesWildcard(entry.shortName, namePattern))) {
            continue;
        }
        Resolved resolved;
        resolved.path = folder->path.child(entry.longName);
        resolved.host = folder->host / entry.hostName;
        resolved.exists = true;
        resolved.folder = entry.folder;
        resolved.parentIsFolder = true;
        resolved.hostParent = folder->host;
        resolved.hostName = entry.hostName;
        add(entry.longName, ownShortName ? std::string() : entry.shortName, attributesOf(resolved), resolved.host);
    }
    return found;
}

std::optional<FileStatus> HostedFileSystem::status(const std::string& path) {
    if (takesTheSearchWay(path)) return FileSystem::status(path);
    const MetadataStore::Session session(names_.store());
    const auto entry = resolve(path);
    if (!entry || !entry->exists) return std::nullopt;
    FileStatus status;
    status.attributes = attributesOf(*entry);
    const auto info = sizeAndTimeOf(*entry);
    if (info && !entry->folder) status.size = info->size;
    status.lastWriteDos = info ? dosTimeFromHost(info->modifiedSeconds).value_or(0) : 0;
    return status;
}

std::optional<std::uint64_t> HostedFileSystem::fileSize(const std::string& path) {
    if (takesTheSearchWay(path)) return FileSystem::fileSize(path);
    const auto entry = resolve(path);
    if (!entry || !entry->exists || entry->folder) return std::nullopt;
    const auto info = sizeAndTimeOf(*entry);
    if (!info) return std::nullopt;
    return info->size;
}

std::optional<std::uint32_t> HostedFileSystem::attributes(const std::string& path) {
    const MetadataStore::Session session(names_.store());
    const auto entry = resolve(path);
    if (!entry || !entry->exists) return std::nullopt;
    return attributesOf(*entry);
}

bool HostedFileSystem::fileExists(const std::string& path) {
    const auto entry = resolve(path);
    return entry && entry->exists && !entry->folder;
}

bool HostedFileSystem::directoryExists(const std::string& path) {
    const auto entry = resolve(path);
    return entry && entry->exists && entry->folder;
}

bool HostedFileSystem::setAttributes(const std::string& path, std::uint32_t attributes) {
    const MetadataStore::Session session(names_.store());
    const auto entry = resolve(path);
    if (!entry || !entry->exists) return false;
    if (entry->path.isRoot()) return true;
    std::uint32_t wanted = attributes & kSettableAttributes;
    if (settings_.readOnlyFromHost && !entry->folder) {
        std::error_code error;
        const auto writeBits = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
        if (wanted & faReadOnly) {
            fs::permissions(entry->host, writeBits, fs::perm_options::remove, error);
        } else {
            fs::permissions(entry->host, fs::perms::owner_write, fs::perm_options::add, error);
        }
        if (error) return false;
        wanted &= ~faReadOnly;
    }
    const std::uint32_t defaults = entry->folder ? 0u : std::uint32_t{faArchive};
    std::optional<std::uint32_t> recorded;
    if (wanted != defaults) recorded = wanted;
    names_.store().setAttributes(entry->hostParent, entry->hostName, recorded);
    return true;
}

std::unique_ptr<FileStream> HostedFileSystem::openRead(const std::string& path) {
    const auto entry = resolve(path);
    if (!entry || !entry->exists || entry->folder) throw EFOpenError("Cannot open file " + path);
    const std::string key = keyOf(*entry);
    if (!openFiles_->openForReading(key)) throw EFOpenError("Cannot open file " + path);
    const int fd = ::open(entry->host.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        openFiles_->closeReader(key);
        throw EFOpenError("Cannot open file " + path);
    }
    return std::make_unique<HostFileStream>(fd, false, openFiles_, key);
}

std::unique_ptr<FileStream> HostedFileSystem::create(const std::string& path) {
    return openForWriting(path, WriteMode::Create);
}

std::unique_ptr<FileStream> HostedFileSystem::rewrite(const std::string& path) {
    return openForWriting(path, WriteMode::Rewrite);
}

std::unique_ptr<FileStream> HostedFileSystem::openForWriting(const std::string& path, WriteMode mode) {
    const MetadataStore::Session session(names_.store());
    const auto full = absolute(path);
    const auto entry = full ? names_.resolveForChange(*full) : std::nullopt;
    if (!entry || !entry->parentIsFolder || entry->folder || entry->path.trailingSeparator) {
        throw EFCreateError("Cannot create file " + path);
    }
    if (!entry->exists && !isValidFileName(entry->path.components.back())) {
        throw EFCreateError("Cannot create file " + path);
    }
    const std::uint32_t attributes = entry->exists ? attributesOf(*entry) : 0;
    // Creating a normal file over a hidden or system one is refused, as Windows does.
    const std::uint32_t refused = faReadOnly | (mode == WriteMode::Create ? faHidden | faSysFile : 0u);
    if (attributes & refused) throw EFCreateError("Cannot create file " + path);
    const std::string key = keyOf(*entry);
    if (!openFiles_->openForWriting(key)) throw EFCreateError("Cannot create file " + path);
    if (!entry->exists) names_.prepareChange(entry->hostParent, entry->parentStamp);
    const int fd = ::open(entry->host.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        openFiles_->closeWriter(key);
        throw EFCreateError("Cannot create file " + path);
    }
    auto stream = std::make_unique<HostFileStream>(fd, true, openFiles_, key);
    if (!entry->exists) {
        names_.startEntry(entry->hostParent, entry->hostName, false);
    } else if (mode == WriteMode::Create) {
        // A replaced file is a changed file: it carries the archive bit alone.
        names_.store().setAttributes(entry->hostParent, entry->hostName, std::nullopt);
    } else if ((attributes & faArchive) == 0) {
        // A file written in place keeps its attributes and is marked as changed.
        const std::uint32_t changed = (attributes & kSettableAttributes) | faArchive;
        names_.store().setAttributes(entry->hostParent, entry->hostName,
                                     changed == faArchive ? std::nullopt : std::optional<std::uint32_t>(changed));
    }
    return stream;
}

void HostedFileSystem::replaceWhole(const std::string& path, std::string_view bytes) {
    const auto entry = resolve(path);
    if (!entry || !entry->exists || entry->folder) {
        // A new file has no old content to lose.
        auto stream = rewrite(path);
        stream->writeBuffer(bytes.data(), bytes.size());
        return;
    }
    const std::uint32_t attributes = attributesOf(*entry);
    if (attributes & faReadOnly) throw EFCreateError("Cannot create file " + path);
    const std::string key = keyOf(*entry);
    if (!openFiles_->openForWriting(key)) throw EFCreateError("Cannot create file " + path);
    try {
        replaceHostFile(entry->host, bytes);
    } catch (const EInOutError&) {
        openFiles_->closeWriter(key);
        throw EFCreateError("Cannot create file " + path);
    }
    openFiles_->closeWriter(key);
    if ((attributes & faArchive) == 0) {
        // As a file written in place: it keeps its attributes and is marked as changed.
        const std::uint32_t changed = (attributes & kSettableAttributes) | faArchive;
        names_.store().setAttributes(entry->hostParent, entry->hostName,
                                     changed == faArchive ? std::nullopt : std::optional<std::uint32_t>(changed));
    }
}

bool HostedFileSystem::deleteFile(const std::string& path) {
    const MetadataStore::Session session(names_.store());
    const auto full = absolute(path);
    const auto entry = full ? names_.resolveForChange(*full) : std::nullopt;
    if (!entry || !entry->exists || entry->folder) return false;
    if (attributesOf(*entry) & faReadOnly) return false;
    const std::string key = keyOf(*entry);
    if (openFiles_->isOpen(key) || openFiles_->isHeld(key)) return false;
    names_.prepareChange(entry->hostParent, entry->parentStamp);
    std::error_code error;
    if (!fs::remove(entry->host, error) || error) return false;
    names_.removedEntry(entry->hostParent, entry->hostName);
    return true;
}

bool HostedFileSystem::createDirectory(const std::string& path) {
    const MetadataStore::Session session(names_.store());
    const auto full = absolute(path);
    const auto entry = full ? names_.resolveForChange(*full) : std::nullopt;
    if (!entry || entry->exists || !entry->parentIsFolder || entry->path.isRoot()) return false;
    if (!isValidFileName(entry->path.components.back())) return false;
    // A file of that name blocks the folder even when it was named with a trailing separator.
    if (hostStatus(entry->host)) return false;
    names_.prepareChange(entry->hostParent, entry->parentStamp);
    std::error_code error;
    if (!fs::create_directory(entry->host, error) || error) return false;
    names_.startEntry(entry->hostParent, entry->hostName, true);
    return true;
}

bool HostedFileSystem::removeDirectory(const std::string& path) {
    const MetadataStore::Session session(names_.store());
    const auto entry = resolve(path);
    if (!entry || !entry->exists || !entry->folder || entry->path.isRoot()) return false;
    if (isCurrentDirectory(*entry)) return false;
    std::error_code error;
    if (!fs::is_empty(entry->host, error) || error) return false;
    names_.prepareChange(entry->hostParent);
    if (!fs::remove(entry->host, error) || error) return false;
    names_.removedEntry(entry->hostParent, entry->hostName);
    return true;
}

std::string HostedFileSystem::currentDirectory() { return settings_.currentDirectory.text(); }

bool HostedFileSystem::setCurrentDirectory(const std::string& path) {
    const auto entry = resolve(path);
    if (!entry || !entry->exists || !entry->folder) return false;
    settings_.currentDirectory = entry->path;
    settings_.currentDirectory.trailingSeparator = false;
    return true;
}

std::string HostedFileSystem::fullPathName(const std::string& path) {
    const auto full = absolute(path);
    return full ? full->text() : std::string();
}

std::optional<DiskFreeSpace> HostedFileSystem::diskFreeSpace(const std::string& root) {
    const auto full = absolute(root.empty() ? std::string("\\") : root);
    if (!full) return std::nullopt;
    const auto entry = names_.resolve(*full);
    if (!entry || !entry->exists || !entry->folder) return std::nullopt;
    const auto host = names_.driveRoot(full->driveLetter());
    struct statvfs info {};
    if (::statvfs(host->c_str(), &info) != 0) return std::nullopt;
    std::uint64_t freeBytes = static_cast<std::uint64_t>(info.f_bavail) * info.f_frsize;
    std::uint64_t totalBytes = static_cast<std::uint64_t>(info.f_blocks) * info.f_frsize;
    if (const auto given = freeSpace_.find(full->driveLetter()); given != freeSpace_.end()) {
        freeBytes = given->second;
        totalBytes = std::max(totalBytes, freeBytes);
    }
    DiskFreeSpace space;
    space.bytesPerSector = 512;
    space.sectorsPerCluster = 8;
    while (totalBytes / (std::uint64_t{space.bytesPerSector} * space.sectorsPerCluster) > 0xFFFFFFFFu) {
        space.sectorsPerCluster *= 2;
    }
    const std::uint64_t cluster = std::uint64_t{space.bytesPerSector} * space.sectorsPerCluster;
    space.freeClusters = static_cast<std::uint32_t>(freeBytes / cluster);
    space.totalClusters = static_cast<std::uint32_t>(totalBytes / cluster);
    return space;
}

std::optional<std::uint32_t> HostedFileSystem::lastWriteTime(const std::string& path) {
    const auto entry = resolve(path);
    if (!entry || !entry->exists) return std::nullopt;
    return dosTimeOf(entry->host);
}

std::optional<std::string> HostedFileSystem::shortPathName(const std::string& path) {
    const MetadataStore::Session session(names_.store());
    const auto full = absolute(path);
    if (!full) return std::nullopt;
    const auto whole = names_.resolve(*full);
    if (!whole || !whole->exists) return std::nullopt;

    // Rebuild the text as given, each name replaced by its short form.
    std::string out;
    std::string_view rest = path;
    WindowsPath position = settings_.currentDirectory;
    position.trailingSeparator = false;
    if (rest.size() >= 2 && rest[1] == ':') {
        out = std::string(rest.substr(0, 2));
        rest.remove_prefix(2);
        if (upperWindowsChar(out[0]) != position.driveLetter() || (!rest.empty() && isPathSeparator(rest[0]))) {
            position = WindowsPath{out, {}, false};
        }
    }
    if (!rest.empty() && isPathSeparator(rest[0])) {
        out += '\\';
        position.components.clear();
    }
    bool first = true;
    std::size_t pos = 0;
    // Where position lives on the host, kept along the walk; looked up afresh
    // only where the walk goes up.
    std::optional<fs::path> positionHost;
    while (pos < rest.size()) {
        std::size_t end = pos;
        while (end < rest.size() && !isPathSeparator(rest[end])) ++end;
        const std::string_view name = rest.substr(pos, end - pos);
        pos = end + 1;
        if (name.empty()) continue;
        if (!first) out += '\\';
        first = false;
        if (name == "." || name == "..") {
            out += name;
            if (name == "..") {
                position = position.parent();
                positionHost.reset();
            }
            continue;
        }
        if (!positionHost) {
            const auto parent = names_.resolve(position);
            if (!parent) return std::nullopt;
            positionHost = parent->host;
        }
        const auto next = absolutePath(std::string(name), position);
        if (!next || next->components.size() != position.components.size() + 1) return std::nullopt;
        // A name that leads, as written, towards the path found above exists as
        // written, and the exact name is what a look-up would find.
        const std::string exact = utf8FromWindows(next->components.back());
        const fs::path candidate = *positionHost / exact;
        const std::string& wholeText = whole->host.native();
        const std::string& candidateText = candidate.native();
        const bool leads = wholeText.compare(0, candidateText.size(), candidateText) == 0 &&
                           (wholeText.size() == candidateText.size() || wholeText[candidateText.size()] == '/');
        const auto entry = leads ? std::optional<HostEntry>(HostEntry{exact, windowsFromUtf8(exact), {},
                                                                      wholeText.size() != candidateText.size() || whole->folder})
                                 : names_.find(*positionHost, next->components.back());
        if (!entry) return std::nullopt;
        out += names_.shortNameOf(*positionHost, *entry);
        position = position.child(entry->longName);
        *positionHost /= entry->hostName;
    }
    if (!rest.empty() && isPathSeparator(rest.back()) && (out.empty() || out.back() != '\\')) out += '\\';
    return out;
}

void HostedFileSystem::hold(const std::string& path) {
    if (const auto entry = resolve(path)) openFiles_->hold(keyOf(*entry));
}

void HostedFileSystem::release(const std::string& path) {
    if (const auto entry = resolve(path)) openFiles_->release(keyOf(*entry));
}

void HostedFileSystem::setFreeSpace(char drive, std::uint64_t bytes) { freeSpace_[upperWindowsChar(drive)] = bytes; }

}  // namespace tavlin::hosted
