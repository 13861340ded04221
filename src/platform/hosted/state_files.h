// Services for the machine's own state files on the host: reading a whole
// file, replacing one atomically (a killed process leaves the old or the new
// file, never half of one) and noticing that another process changed a file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tavlin::hosted {

// What identifies one version of a file: it changes whenever the file is replaced
// or rewritten.
struct FileStamp {
    bool exists = false;
    std::int64_t modifiedNanoseconds = 0;
    std::uint64_t size = 0;
    std::uint64_t inode = 0;
    bool operator==(const FileStamp&) const = default;
};

FileStamp stampOf(const std::filesystem::path& file);

// The file's bytes; nothing when it cannot be read.
std::optional<std::string> readHostFile(const std::filesystem::path& file);

// Writes the bytes to a temporary file beside the target and renames it over the
// target. Raises EInOutError when that fails.
void replaceHostFile(const std::filesystem::path& file, std::string_view bytes);

// Appends the bytes to a file, creating it when missing, and gives the stamp it
// has after them. Raises EInOutError.
FileStamp appendHostFile(const std::filesystem::path& file, std::string_view bytes);

// A file that records are appended to again and again, its descriptor kept open
// between appends so that each costs a write and a look at the descriptor instead
// of a walk along the path to open it and a close.
class AppendFile {
public:
    AppendFile() = default;
    ~AppendFile();
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;

    // appendHostFile through the descriptor held. A file that has lost its name
    // since (replaced or removed) takes no more: the bytes go again to the file
    // the path names now.
    FileStamp append(const std::filesystem::path& file, std::string_view bytes);
    // Lets the descriptor go, as after replacing the file.
    void close();

private:
    int fd_ = -1;
};

}  // namespace tavlin::hosted
