// The in-memory file system; see memory_file_system.h.
#include "platform/memory/memory_file_system.h"

#include <algorithm>
#include <cstring>

#include "platform/errors.h"

namespace tavlin {

namespace {

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string ParentOf(const std::string& resolved) {
    const std::size_t cut = resolved.rfind('\\');
    if (cut == std::string::npos || cut < 2) return {};
    return cut == 2 ? resolved.substr(0, 3) : resolved.substr(0, cut);
}

// "*" and "?" against a name, letter case ignored; "*.*" is every name, as on Windows.
bool Matches(const char* pattern, const char* name) {
    if (std::strcmp(pattern, "*.*") == 0) return true;
    if (*pattern == '\0') return *name == '\0';
    if (*pattern == '*') return Matches(pattern + 1, name) || (*name != '\0' && Matches(pattern, name + 1));
    if (*name == '\0') return false;
    if (*pattern == '?' || UpperAscii(*pattern) == UpperAscii(*name)) return Matches(pattern + 1, name + 1);
    return false;
}

class MemoryFileStream : public FileStream {
public:
    MemoryFileStream(std::shared_ptr<MemoryFileSystem::Node> node, bool writable, std::uint64_t largest)
        : node_(std::move(node)), writable_(writable), largest_(largest) {}
    std::size_t read(void* buffer, std::size_t count) override {
        const std::vector<std::uint8_t>& bytes = node_->bytes;
        if (position_ >= bytes.size()) return 0;
        const std::size_t n = std::min<std::size_t>(count, bytes.size() - position_);
        std::memcpy(buffer, bytes.data() + position_, n);
        position_ += n;
        return n;
    }
    void writeBuffer(const void* buffer, std::size_t count) override {
        if (!writable_ || position_ + count > largest_) throw EWriteError("Stream write error");
        std::vector<std::uint8_t>& bytes = node_->bytes;
        if (bytes.size() < position_ + count) bytes.resize(position_ + count);
        if (count > 0) std::memcpy(bytes.data() + position_, buffer, count);
        position_ += count;
    }
    std::int64_t seek(std::int64_t offset, SeekOrigin origin) override {
        std::int64_t base = 0;
        if (origin == SeekOrigin::Current) base = static_cast<std::int64_t>(position_);
        if (origin == SeekOrigin::End) base = static_cast<std::int64_t>(node_->bytes.size());
        position_ = static_cast<std::size_t>(std::max<std::int64_t>(0, base + offset));
        return static_cast<std::int64_t>(position_);
    }
    std::int64_t size() override { return static_cast<std::int64_t>(node_->bytes.size()); }
    bool setLastWriteTime(std::uint32_t dosDateTime) override {
        node_->dosTime = dosDateTime;
        return true;
    }

private:
    std::shared_ptr<MemoryFileSystem::Node> node_;
    bool writable_;
    std::uint64_t largest_;
    std::size_t position_ = 0;
};

}  // namespace

MemoryFileSystem::MemoryFileSystem() {
    for (const char* folder : {"C:\\", "C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM", "C:\\WINDOWS\\TEMP"}) {
        auto node = std::make_shared<Node>();
        node->folder = true;
        node->name = std::string(folder).substr(std::string(folder).rfind('\\') + 1);
        nodes_[KeyOf(folder)] = node;
    }
}

std::string MemoryFileSystem::KeyOf(const std::string& resolved) {
    std::string key = resolved;
    for (char& c : key) c = UpperAscii(c);
    return key;
}

std::string MemoryFileSystem::Resolve(const std::string& path) const {
    std::string text = path;
    std::replace(text.begin(), text.end(), '/', '\\');
    if (text.size() >= 2 && text[0] == '\\' && text[1] == '\\') return {};  // no network here
    std::string drive = current_.substr(0, 2);
    std::string rest;
    if (text.size() >= 2 && text[1] == ':') {
        drive = std::string(1, UpperAscii(text[0])) + ":";
        rest = text.substr(2);
        if (rest.empty() || rest[0] != '\\') rest = "\\" + rest;
    } else if (!text.empty() && text[0] == '\\') {
        rest = text;
    } else {
        rest = current_.substr(2) + "\\" + text;
    }
    std::vector<std::string> names;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= rest.size(); ++i) {
        if (i < rest.size() && rest[i] != '\\') continue;
        std::string name = rest.substr(start, i - start);
        start = i + 1;
        const bool dotsAndBlanks =
            !name.empty() && name.find_first_not_of(". ") == std::string::npos;
        if (dotsAndBlanks) {
            // ".", ". ": this folder; "..", "...", ". .": the parent, which stops at the root.
            if (std::count(name.begin(), name.end(), '.') >= 2 && !names.empty()) names.pop_back();
            continue;
        }
        while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
        if (!name.empty()) names.push_back(name);
    }
    std::string resolved = drive + "\\";
    for (std::size_t i = 0; i < names.size(); ++i) resolved += (i ? "\\" : "") + names[i];
    return resolved;
}

MemoryFileSystem::Node* MemoryFileSystem::Find(const std::string& resolved) {
    if (resolved.empty()) return nullptr;
    const auto it = nodes_.find(KeyOf(resolved));
    return it == nodes_.end() ? nullptr : it->second.get();
}

bool MemoryFileSystem::ParentIsFolder(const std::string& resolved) {
    const Node* parent = Find(ParentOf(resolved));
    return parent && parent->folder;
}

std::vector<FindData> MemoryFileSystem::findAll(const std::string& pattern) {
    std::vector<FindData> found;
    std::string text = pattern;
    std::replace(text.begin(), text.end(), '/', '\\');
    const std::size_t cut = text.rfind('\\');
    const std::string folder = Resolve(cut == std::string::npos ? std::string() : text.substr(0, cut + 1));
    const std::string namePattern = cut == std::string::npos ? text : text.substr(cut + 1);
    const Node* parent = Find(folder);
    if (!parent || !parent->folder) return found;
    if (folder.size() > 3) {
        for (const char* dots : {".", ".."}) {
            if (Matches(namePattern.c_str(), dots)) found.push_back({dots, "", faDirectory, 0, 0});
        }
    }
    std::string prefix = KeyOf(folder);
    if (prefix.back() != '\\') prefix += '\\';
    for (auto it = nodes_.lower_bound(prefix); it != nodes_.end() && it->first.compare(0, prefix.size(), prefix) == 0;
         ++it) {
        if (it->first.find('\\', prefix.size()) != std::string::npos) continue;
        const Node& node = *it->second;
        if (!Matches(namePattern.c_str(), node.name.c_str())) continue;
        found.push_back({node.name, "", node.folder ? faDirectory | node.attributes : node.attributes,
                         node.bytes.size(), node.dosTime});
    }
    return found;
}

std::optional<std::uint32_t> MemoryFileSystem::attributes(const std::string& path) {
    const Node* node = Find(Resolve(path));
    if (!node) return std::nullopt;
    if (node->folder) return faDirectory | node->attributes;
    return node->attributes == 0 ? static_cast<std::uint32_t>(faNormal) : node->attributes;
}

bool MemoryFileSystem::setAttributes(const std::string& path, std::uint32_t attributes) {
    Node* node = Find(Resolve(path));
    if (!node) return false;
    node->attributes = attributes & (faReadOnly | faHidden | faSysFile | faArchive);
    return true;
}

std::unique_ptr<FileStream> MemoryFileSystem::openRead(const std::string& path) {
    const std::string resolved = Resolve(path);
    const auto it = nodes_.find(KeyOf(resolved));
    if (resolved.empty() || it == nodes_.end() || it->second->folder) throw EFOpenError("Cannot open file " + path);
    return std::make_unique<MemoryFileStream>(it->second, false, largestFile_);
}

std::unique_ptr<FileStream> MemoryFileSystem::create(const std::string& path) {
    const std::string resolved = Resolve(path);
    if (resolved.empty() || resolved.size() <= 3 || !ParentIsFolder(resolved)) {
        throw EFCreateError("Cannot create file " + path);
    }
    auto& slot = nodes_[KeyOf(resolved)];
    if (slot && (slot->folder || (slot->attributes & faReadOnly))) throw EFCreateError("Cannot create file " + path);
    if (!slot) slot = std::make_shared<Node>();
    slot->name = resolved.substr(resolved.rfind('\\') + 1);
    slot->bytes.clear();
    slot->attributes = faArchive;
    created_.push_back(resolved);
    return std::make_unique<MemoryFileStream>(slot, true, largestFile_);
}

bool MemoryFileSystem::deleteFile(const std::string& path) {
    const std::string resolved = Resolve(path);
    const auto it = nodes_.find(KeyOf(resolved));
    if (resolved.empty() || it == nodes_.end() || it->second->folder || (it->second->attributes & faReadOnly)) {
        return false;
    }
    nodes_.erase(it);
    return true;
}

bool MemoryFileSystem::createDirectory(const std::string& path) {
    const std::string resolved = Resolve(path);
    if (resolved.empty() || resolved.size() <= 3 || Find(resolved) || !ParentIsFolder(resolved)) return false;
    auto node = std::make_shared<Node>();
    node->folder = true;
    node->name = resolved.substr(resolved.rfind('\\') + 1);
    nodes_[KeyOf(resolved)] = node;
    return true;
}

bool MemoryFileSystem::removeDirectory(const std::string& path) {
    const std::string resolved = Resolve(path);
    const Node* node = Find(resolved);
    if (!node || !node->folder || resolved.size() <= 3) return false;
    const std::string prefix = KeyOf(resolved) + "\\";
    const auto child = nodes_.lower_bound(prefix);
    if (child != nodes_.end() && child->first.compare(0, prefix.size(), prefix) == 0) return false;
    nodes_.erase(KeyOf(resolved));
    return true;
}

bool MemoryFileSystem::setCurrentDirectory(const std::string& path) {
    const std::string resolved = Resolve(path);
    const Node* node = Find(resolved);
    if (!node || !node->folder) return false;
    current_ = resolved;
    return true;
}

std::string MemoryFileSystem::fullPathName(const std::string& path) { return Resolve(path); }

std::optional<DiskFreeSpace> MemoryFileSystem::diskFreeSpace(const std::string&) {
    DiskFreeSpace space;
    space.sectorsPerCluster = 8;
    space.bytesPerSector = 512;
    space.freeClusters = static_cast<std::uint32_t>(std::min<std::uint64_t>(freeSpace_ / 4096, 0xFFFFFFFFu));
    space.totalClusters = space.freeClusters;
    return space;
}

std::optional<std::uint32_t> MemoryFileSystem::lastWriteTime(const std::string& path) {
    const Node* node = Find(Resolve(path));
    if (!node) return std::nullopt;
    return node->dosTime;
}

std::optional<std::string> MemoryFileSystem::shortPathName(const std::string& path) {
    const std::string resolved = Resolve(path);
    if (!Find(resolved)) return std::nullopt;
    return resolved;
}

void MemoryFileSystem::Clear(const std::string& folder) {
    const std::string resolved = Resolve(folder);
    if (resolved.empty()) return;
    std::string prefix = KeyOf(resolved);
    if (prefix.back() != '\\') prefix += '\\';
    nodes_.erase(nodes_.lower_bound(prefix), nodes_.lower_bound(prefix.substr(0, prefix.size() - 1) + ']'));
    forceDirectories(resolved);
}

std::vector<std::string> MemoryFileSystem::TakeCreated() {
    std::vector<std::string> created;
    created.swap(created_);
    return created;
}

}  // namespace tavlin
