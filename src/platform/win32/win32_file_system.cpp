// Files and folders on kernel32. Questions the interface answers with a bool or
// an optional are answered so; only calls that must produce a text raise.
#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include "platform/errors.h"
#include "platform/win32/win32_error.h"
#include "platform/win32/win32_file_stream.h"
#include "platform/win32/win32_handles.h"

namespace tavlin::win32 {

namespace {

// The MS-DOS date (high word) and time (low word) of a UTC file time, in local time.
std::optional<std::uint32_t> dosDateTimeOf(const FILETIME& utc) {
    FILETIME local;
    WORD date = 0;
    WORD time = 0;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToDosDateTime(&local, &date, &time)) {
        return std::nullopt;
    }
    return (static_cast<std::uint32_t>(date) << 16) | time;
}

// Calls a Get...A function that fills a buffer and answers the length it needs
// when the buffer is too small; 0 means failure.
template <typename Call>
std::optional<std::string> fetchText(Call call) {
    std::string buffer(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = call(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::nullopt;
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.assign(length + 1, '\0');
    }
}

}  // namespace

std::vector<FindData> Win32FileSystem::findAll(const std::string& pattern) {
    std::vector<FindData> entries;
    WIN32_FIND_DATAA found;
    const HANDLE first = FindFirstFileA(pattern.c_str(), &found);
    if (first == INVALID_HANDLE_VALUE) return entries;
    const UniqueFind search(first);
    do {
        FindData entry;
        entry.name = found.cFileName;
        entry.alternateName = found.cAlternateFileName;
        entry.attributes = found.dwFileAttributes;
        entry.size = (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        entry.lastWriteDos = dosDateTimeOf(found.ftLastWriteTime).value_or(0);
        entries.push_back(std::move(entry));
    } while (FindNextFileA(search.get(), &found));
    return entries;
}

std::optional<FileStatus> Win32FileSystem::status(const std::string& path) {
    // Wildcards are refused as a search would take them; the data comes from the
    // directory entry, without opening the file.
    if (path.find_first_of("*?") != std::string::npos) return std::nullopt;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    FileStatus status;
    status.attributes = data.dwFileAttributes;
    status.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    status.lastWriteDos = dosDateTimeOf(data.ftLastWriteTime).value_or(0);
    return status;
}

std::optional<std::uint32_t> Win32FileSystem::attributes(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return attributes;
}

bool Win32FileSystem::setAttributes(const std::string& path, std::uint32_t attributes) {
    // Asking is cheap where setting is not (under wine a set opens the file through
    // the server), and most files get the attributes a new file already has.
    const DWORD wanted = attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes;
    if (GetFileAttributesA(path.c_str()) == wanted) return true;
    return SetFileAttributesA(path.c_str(), attributes) != FALSE;
}

std::unique_ptr<FileStream> Win32FileSystem::openRead(const std::string& path) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw EFOpenError("Cannot open file " + path);
    return std::make_unique<Win32FileStream>(file, path);
}

std::unique_ptr<FileStream> Win32FileSystem::create(const std::string& path) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw EFCreateError("Cannot create file " + path);
    return std::make_unique<Win32FileStream>(file, path);
}

bool Win32FileSystem::deleteFile(const std::string& path) { return DeleteFileA(path.c_str()) != FALSE; }

bool Win32FileSystem::createDirectory(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

bool Win32FileSystem::removeDirectory(const std::string& path) { return RemoveDirectoryA(path.c_str()) != FALSE; }

std::string Win32FileSystem::currentDirectory() {
    auto folder = fetchText([](char* buffer, DWORD size) { return GetCurrentDirectoryA(size, buffer); });
    if (!folder) throw lastOSError("GetCurrentDirectoryA");
    return *folder;
}

bool Win32FileSystem::setCurrentDirectory(const std::string& path) {
    return SetCurrentDirectoryA(path.c_str()) != FALSE;
}

std::string Win32FileSystem::fullPathName(const std::string& path) {
    SetLastError(ERROR_SUCCESS);
    auto full = fetchText(
        [&](char* buffer, DWORD size) { return GetFullPathNameA(path.c_str(), size, buffer, nullptr); });
    if (!full) {
        // Some systems (wine among them) fail an empty name without a code; the
        // error must still say why, not "completed successfully".
        const DWORD code = GetLastError();
        throw osError("GetFullPathNameA", code != ERROR_SUCCESS ? code : ERROR_INVALID_NAME);
    }
    return *full;
}

std::optional<DiskFreeSpace> Win32FileSystem::diskFreeSpace(const std::string& root) {
    DWORD sectorsPerCluster = 0;
    DWORD bytesPerSector = 0;
    DWORD freeClusters = 0;
    DWORD totalClusters = 0;
    if (!GetDiskFreeSpaceA(root.empty() ? nullptr : root.c_str(), &sectorsPerCluster, &bytesPerSector,
                           &freeClusters, &totalClusters)) {
        return std::nullopt;
    }
    return DiskFreeSpace{sectorsPerCluster, bytesPerSector, freeClusters, totalClusters};
}

std::optional<std::uint32_t> Win32FileSystem::lastWriteTime(const std::string& path) {
    // From the directory entry, so that other readers and writers holding the file
    // do not matter; a folder has no time here.
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return std::nullopt;
    }
    return dosDateTimeOf(data.ftLastWriteTime);
}

std::optional<std::string> Win32FileSystem::shortPathName(const std::string& path) {
    return fetchText([&](char* buffer, DWORD size) { return GetShortPathNameA(path.c_str(), buffer, size); });
}

std::string Win32FileSystem::windowsDirectory() {
    auto folder = fetchText([](char* buffer, DWORD size) { return GetWindowsDirectoryA(buffer, size); });
    if (!folder) throw lastOSError("GetWindowsDirectoryA");
    return *folder;
}

std::string Win32FileSystem::systemDirectory() {
    auto folder = fetchText([](char* buffer, DWORD size) { return GetSystemDirectoryA(buffer, size); });
    if (!folder) throw lastOSError("GetSystemDirectoryA");
    return *folder;
}

}  // namespace tavlin::win32
