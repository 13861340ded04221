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

}  // namespace tavlin::hosted
