// The Windows file API on the machine's drives: paths through the drive table,
// attributes and short names from the metadata store, and the sharing rules
// (open, held and read-only files) that callers rely on.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/hosted/host_namespace.h"
#include "platform/hosted/open_file_table.h"
#include "platform/hosted/windows_path.h"

namespace tavlin::hosted {

struct FileSystemSettings {
    std::string windowsDirectory;
    std::string systemDirectory;
    WindowsPath currentDirectory;
    // Host files reached directly: the read-only attribute is the host file's
    // missing write permission, and setting it changes that permission.
    bool readOnlyFromHost = false;
};

class HostedFileSystem : public FileSystem {
public:
    HostedFileSystem(HostNamespace& names, FileSystemSettings settings);

    std::vector<FindData> findAll(const std::string& pattern) override;
    // One look at the entry instead of a search of its folder.
    std::optional<FileStatus> status(const std::string& path) override;
    // The size is the host's alone: this leaves the metadata file unread.
    std::optional<std::uint64_t> fileSize(const std::string& path) override;
    std::optional<std::uint32_t> attributes(const std::string& path) override;
    // Existence is the host's alone: these leave the metadata file unread.
    bool fileExists(const std::string& path) override;
    bool directoryExists(const std::string& path) override;
    bool setAttributes(const std::string& path, std::uint32_t attributes) override;
    std::unique_ptr<FileStream> openRead(const std::string& path) override;
    std::unique_ptr<FileStream> create(const std::string& path) override;
    bool deleteFile(const std::string& path) override;
    bool createDirectory(const std::string& path) override;
    bool removeDirectory(const std::string& path) override;
    std::string currentDirectory() override;
    bool setCurrentDirectory(const std::string& path) override;
    std::string fullPathName(const std::string& path) override;
    std::optional<DiskFreeSpace> diskFreeSpace(const std::string& root) override;
    std::optional<std::uint32_t> lastWriteTime(const std::string& path) override;
    std::optional<std::string> shortPathName(const std::string& path) override;
    std::string windowsDirectory() override { return settings_.windowsDirectory; }
    std::string systemDirectory() override { return settings_.systemDirectory; }

    // The path made absolute against the current folder.
    std::optional<WindowsPath> absolute(const std::string& path) const;
    // Where a path lives on the host; nothing when it is invalid or its drive unmapped.
    std::optional<Resolved> resolve(const std::string& path);

    // Opens a file for writing from its start, creating it when missing, the way the
    // system writes its own files (INI files): like create, but hidden and system
    // files may be written and keep their attributes.
    std::unique_ptr<FileStream> rewrite(const std::string& path);
    // Like rewrite with the whole new content, but an existing file is replaced in
    // one step (a new file written beside it, then renamed over it), so that a
    // process killed half-way leaves the old file whole. Raises EFCreateError.
    void replaceWhole(const std::string& path, std::string_view bytes);

    void hold(const std::string& path);
    void release(const std::string& path);
    void setFreeSpace(char drive, std::uint64_t bytes);

private:
    enum class WriteMode { Create, Rewrite };
    std::unique_ptr<FileStream> openForWriting(const std::string& path, WriteMode mode);
    std::uint32_t attributesOf(const Resolved& entry);
    std::optional<std::uint32_t> dosTimeOf(const std::filesystem::path& host) const;
    bool isCurrentDirectory(const Resolved& entry);

    HostNamespace& names_;
    FileSystemSettings settings_;
    std::shared_ptr<OpenFileTable> openFiles_ = std::make_shared<OpenFileTable>();
    std::map<char, std::uint64_t> freeSpace_;
};

}  // namespace tavlin::hosted
