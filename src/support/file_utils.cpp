#include "support/file_utils.h"

#include <memory>

#include "platform/platform.h"
#include "support/paths.h"

namespace tavlin {

namespace {
constexpr std::size_t kCopyChunk = 8192;
}

void CopyFileTo(Platform& platform, const std::string& source, const std::string& destination) {
    FileSystem& files = platform.files();
    std::string target = files.fullPathName(destination);
    if (files.directoryExists(target)) target = IncludeTrailingBackslash(target) + ExtractFileName(source);
    CopyFileAs(platform, source, target);
}

void CopyFileAs(Platform& platform, const std::string& source, const std::string& target) {
    FileSystem& files = platform.files();
    std::unique_ptr<FileStream> in;
    try {
        in = files.openRead(source);
    } catch (const EStreamError&) {
        throw EFOpenError("Cannot open file " + source);
    }
    std::unique_ptr<FileStream> out;
    try {
        out = files.create(target);
    } catch (const EStreamError&) {
        in.reset();
        throw EFCreateError("Cannot create file " + target);
    }
    auto buffer = std::make_unique<char[]>(kCopyChunk);
    for (;;) {
        const std::size_t n = in->read(buffer.get(), kCopyChunk);
        if (n > 0) out->writeBuffer(buffer.get(), n);
        if (n < kCopyChunk) break;
    }
}

bool HasAttributes(Platform& platform, const std::string& path, std::uint32_t mask) {
    const auto attributes = platform.files().attributes(path);
    return attributes && (*attributes & mask) == mask;
}

void CopyMatchingFiles(Platform& platform, const std::string& folder, const std::string& mask,
                       const std::string& destination) {
    for (const auto& entry : platform.files().find(folder + mask, faAnyFile)) {
        try {
            CopyFileTo(platform, folder + entry.name, destination);
        } catch (const EStreamError&) {
            // A file that cannot be copied (folders among them) is skipped.
        }
    }
}

void CopyFolderTree(Platform& platform, const std::string& source, const std::string& destination) {
    FileSystem& files = platform.files();
    for (const auto& entry : files.find(source + "\\*.*", faDirectory)) {
        if (entry.attributes != faDirectory || entry.name == "." || entry.name == "..") continue;
        const std::string target = destination + entry.name + "\\";
        files.forceDirectories(target);
        CopyMatchingFiles(platform, source + "\\" + entry.name + "\\", "*.*", target);
        CopyFolderTree(platform, source + "\\" + entry.name, target);
    }
}

void DeleteMatchingFiles(Platform& platform, const std::string& folder, const std::string& mask) {
    FileSystem& files = platform.files();
    for (const auto& entry : files.find(folder + mask, faAnyFile)) {
        files.deleteFile(folder + entry.name);  // a failure leaves the file; folders stay
    }
}

TDateTime FileDate(Platform& platform, const std::string& path) {
    if (!platform.files().fileExists(path)) return 0;
    const auto dos = platform.files().lastWriteTime(path);
    return dos ? DosDateTimeToDateTime(*dos) : 0;
}

}  // namespace tavlin
