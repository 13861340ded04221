// Files and folders as the Windows file API offers them. Paths are 8-bit
// Windows-1252 text with "\" separators; a relative path is taken against the
// current folder and a path that begins with "\" against the root of the current
// drive. Letter case is ignored and short (8.3) names are accepted, as on Windows.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/stream.h"

namespace tavlin {

// File attribute bits, with the values Windows uses.
enum FileAttribute : std::uint32_t {
    faReadOnly = 0x01,
    faHidden = 0x02,
    faSysFile = 0x04,
    faVolumeID = 0x08,
    faDirectory = 0x10,
    faArchive = 0x20,
    faNormal = 0x80,
    faAnyFile = 0x3F,
};

// One entry found by a search (FindFirstFileA / FindNextFileA).
struct FindData {
    std::string name;           // long name
    std::string alternateName;  // 8.3 name when the long name is not one, else empty
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
    std::uint32_t lastWriteDos = 0;  // MS-DOS date and time of the last write, local time
};

// What GetFileAttributesExA tells of one file or folder.
struct FileStatus {
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
    std::uint32_t lastWriteDos = 0;  // MS-DOS date and time of the last write, local time
};

// The answer of GetDiskFreeSpaceA.
struct DiskFreeSpace {
    std::uint32_t sectorsPerCluster = 0;
    std::uint32_t bytesPerSector = 0;
    std::uint32_t freeClusters = 0;
    std::uint32_t totalClusters = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Every entry that matches the pattern (a folder, "\" and a name that may hold
    // "*" and "?"), in the order the platform returns them, "." and ".." included
    // where the pattern matches them. An unmatched pattern gives an empty list.
    virtual std::vector<FindData> findAll(const std::string& pattern) = 0;

    // The entries of findAll that pass an attribute filter the way the run-time
    // library's FindFirst filters them: an entry is left out when it has the
    // hidden, system, volume-label or folder bit and the filter lacks that bit.
    std::vector<FindData> find(const std::string& pattern, std::uint32_t filter);

    // The attributes, size and last-write time of the one file or folder that a
    // path without wildcards names; nothing when there is none. Here through a
    // search, which a platform may answer more cheaply.
    virtual std::optional<FileStatus> status(const std::string& path);
    // The size of the one file that a path without wildcards names; nothing when
    // it names a folder or nothing. Here through status; a platform may answer it
    // without the attributes and time.
    virtual std::optional<std::uint64_t> fileSize(const std::string& path);

    // GetFileAttributesA; nothing when the path does not exist.
    virtual std::optional<std::uint32_t> attributes(const std::string& path) = 0;
    // SetFileAttributesA; 0 means normal.
    virtual bool setAttributes(const std::string& path, std::uint32_t attributes) = 0;

    // Opens an existing file for reading while denying other writers.
    // Raises EFOpenError "Cannot open file %s" on failure.
    virtual std::unique_ptr<FileStream> openRead(const std::string& path) = 0;
    // Creates a file or truncates an existing one, opened exclusively for writing.
    // Raises EFCreateError "Cannot create file %s" on failure.
    virtual std::unique_ptr<FileStream> create(const std::string& path) = 0;

    virtual bool deleteFile(const std::string& path) = 0;
    // Creates one folder; its parent must exist.
    virtual bool createDirectory(const std::string& path) = 0;
    // Creates a folder with all missing parents; true when the folder exists after.
    bool forceDirectories(const std::string& path);
    // Removes an empty folder.
    virtual bool removeDirectory(const std::string& path) = 0;

    // The current folder, without a trailing "\" except for a drive root.
    virtual std::string currentDirectory() = 0;
    virtual bool setCurrentDirectory(const std::string& path) = 0;
    // GetFullPathNameA: the path made absolute against the current folder, with
    // "." and ".." resolved. The file need not exist.
    virtual std::string fullPathName(const std::string& path) = 0;

    // GetDiskFreeSpaceA on a root such as "C:\", or on the current drive for "".
    virtual std::optional<DiskFreeSpace> diskFreeSpace(const std::string& root) = 0;
    // The last-write time of a file as an MS-DOS date and time in local time.
    virtual std::optional<std::uint32_t> lastWriteTime(const std::string& path) = 0;
    // GetShortPathNameA; nothing when the path does not exist.
    virtual std::optional<std::string> shortPathName(const std::string& path) = 0;

    // GetWindowsDirectoryA and GetSystemDirectoryA: no trailing "\" unless a root.
    virtual std::string windowsDirectory() = 0;
    virtual std::string systemDirectory() = 0;

    // Whether the path names a file (a folder); a platform may answer these
    // without looking at the attributes.
    virtual bool fileExists(const std::string& path);
    virtual bool directoryExists(const std::string& path);
};

}  // namespace tavlin
