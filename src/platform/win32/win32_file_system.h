// Files and folders on kernel32's ANSI functions.
#pragma once

#include "platform/file_system.h"

namespace tavlin::win32 {

class Win32FileSystem : public FileSystem {
public:
    std::vector<FindData> findAll(const std::string& pattern) override;
    std::optional<FileStatus> status(const std::string& path) override;
    std::optional<std::uint32_t> attributes(const std::string& path) override;
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
    std::string windowsDirectory() override;
    std::string systemDirectory() override;
};

}  // namespace tavlin::win32
