#include "platform/file_system.h"

namespace tavlin {

std::vector<FindData> FileSystem::find(const std::string& pattern, std::uint32_t filter) {
    const std::uint32_t excluded = ~filter & (faHidden | faSysFile | faVolumeID | faDirectory);
    std::vector<FindData> result;
    for (auto& entry : findAll(pattern)) {
        if ((entry.attributes & excluded) == 0) result.push_back(std::move(entry));
    }
    return result;
}

std::optional<FileStatus> FileSystem::status(const std::string& path) {
    if (path.find_first_of("*?") != std::string::npos) return std::nullopt;
    const auto found = findAll(path);
    if (found.empty()) return std::nullopt;
    return FileStatus{found.front().attributes, found.front().size, found.front().lastWriteDos};
}

std::optional<std::uint64_t> FileSystem::fileSize(const std::string& path) {
    const auto found = status(path);
    if (!found || (found->attributes & faDirectory) != 0) return std::nullopt;
    return found->size;
}

bool FileSystem::forceDirectories(const std::string& path) {
    std::string folder = path;
    while (!folder.empty() && folder.back() == '\\') folder.pop_back();
    if (folder.empty() || directoryExists(folder)) return !folder.empty();
    const auto cut = folder.find_last_of('\\');
    if (cut != std::string::npos) {
        const std::string parent = folder.substr(0, cut);
        const bool isDrive = parent.size() == 2 && parent[1] == ':';
        if (!parent.empty() && !isDrive && !forceDirectories(parent)) return false;
    }
    return createDirectory(folder) || directoryExists(folder);
}

bool FileSystem::fileExists(const std::string& path) {
    const auto attributes = this->attributes(path);
    return attributes && (*attributes & faDirectory) == 0;
}

bool FileSystem::directoryExists(const std::string& path) {
    const auto attributes = this->attributes(path);
    return attributes && (*attributes & faDirectory) != 0;
}

}  // namespace tavlin
