// A file system kept in memory: the platform's file interface without a disk,
// for fuzz targets and tests that need thousands of expansions a second. Paths
// resolve as Windows resolves them ("\" or "/", "." and "..", trailing dots
// and blanks dropped, letter case ignored); it also records the resolved path
// of every file created, so a caller can check where writes went.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/file_system.h"

namespace tavlin {

class MemoryFileSystem : public FileSystem {
public:
    // Drives "C:" and the Windows folder exist from the start.
    MemoryFileSystem();

    std::vector<FindData> findAll(const std::string& pattern) override;
    std::optional<std::uint32_t> attributes(const std::string& path) override;
    bool setAttributes(const std::string& path, std::uint32_t attributes) override;
    std::unique_ptr<FileStream> openRead(const std::string& path) override;
    std::unique_ptr<FileStream> create(const std::string& path) override;
    bool deleteFile(const std::string& path) override;
    bool createDirectory(const std::string& path) override;
    bool removeDirectory(const std::string& path) override;
    std::string currentDirectory() override { return current_; }
    bool setCurrentDirectory(const std::string& path) override;
    std::string fullPathName(const std::string& path) override;
    std::optional<DiskFreeSpace> diskFreeSpace(const std::string& root) override;
    std::optional<std::uint32_t> lastWriteTime(const std::string& path) override;
    std::optional<std::string> shortPathName(const std::string& path) override;
    std::string windowsDirectory() override { return "C:\\WINDOWS"; }
    std::string systemDirectory() override { return "C:\\WINDOWS\\SYSTEM"; }

    // Every file and folder below (and with) the folder goes; the folder stays.
    void Clear(const std::string& folder);
    // The full, resolved paths of the files created since the last call.
    std::vector<std::string> TakeCreated();
    // Refuses to let any one file grow beyond this many bytes (EWriteError).
    void SetLargestFile(std::uint64_t bytes) { largestFile_ = bytes; }
    // The free space the drive reports.
    void SetFreeSpace(std::uint64_t bytes) { freeSpace_ = bytes; }

    struct Node {
        bool folder = false;
        std::string name;  // as created, for listings
        std::vector<std::uint8_t> bytes;
        std::uint32_t attributes = 0;
        std::uint32_t dosTime = 0;
    };

private:
    // The key of a resolved path: upper-cased.
    static std::string KeyOf(const std::string& resolved);
    // The resolved full path, or empty when it cannot be one (".." above the root).
    std::string Resolve(const std::string& path) const;
    Node* Find(const std::string& resolved);
    bool ParentIsFolder(const std::string& resolved);

    std::map<std::string, std::shared_ptr<Node>> nodes_;
    std::string current_ = "C:\\";
    std::vector<std::string> created_;
    std::uint64_t largestFile_ = UINT64_MAX;
    std::uint64_t freeSpace_ = 1u << 30;
};

// Dialogs that nobody answers: every box and prompt is cancelled.
class CancellingDialogs : public Dialogs {
public:
    MessageResult messageBox(const std::string&, const std::string&, MessageButtons, MessageKind,
                             MessageResult) override {
        return MessageResult::Cancel;
    }
    bool inputBox(const std::string&, const std::string&, std::string&) override { return false; }
    bool chooseFolder(const std::string&, std::string&) override { return false; }
};

}  // namespace tavlin
