// The free-space test before a member is written, and the creation of the
// folders a member path needs.
#include "compress/target_folders.h"
#include "support/text.h"
#include "compress/zivi_archive.h"

namespace tavlin {

namespace {

constexpr std::int32_t kUnlimitedSpace = 2147483647;

}  // namespace

std::int32_t TZiviArchive::FreeSpaceFor(const std::string& path) {
    if (!CheckSpaceBeforeExpand) return kUnlimitedSpace;
    std::string root;  // the current drive
    if (path.size() > 1 && path[1] == ':') {
        root = UpperCaseAscii(path.substr(0, 1)) + ":\\";
    }
    // The product in single precision, as the drive's own figures are multiplied.
    float freeBytes = -1.0f;
    if (const auto space = files_.diskFreeSpace(root)) {
        freeBytes = static_cast<float>(space->sectorsPerCluster) * static_cast<float>(space->bytesPerSector) *
                    static_cast<float>(space->freeClusters);
    }
    const std::int32_t result =
        static_cast<double>(freeBytes) < 2147483647.0 ? static_cast<std::int32_t>(freeBytes) : kUnlimitedSpace;
    if (result == kUnlimitedSpace || !files_.fileExists(path)) return result;

    // The file being replaced gives its space back.
    std::int64_t size = 0;
    {
        const auto existing = files_.openRead(path);
        size = existing->size();
    }
    if (static_cast<double>(size) + static_cast<double>(freeBytes) < 2147483647.0) {
        return static_cast<std::int32_t>(result + size);
    }
    return kUnlimitedSpace;
}

void TZiviArchive::ForceDirs(const std::string& folder) {
    std::string dir = folder;
    while (!dir.empty() && dir.back() == '\\') dir.pop_back();
    // Nothing to create for a root or a drive ("C:"); stopping at any ":" also
    // keeps each step strictly shorter than the one before.
    if (dir.empty() || dir.back() == ':') return;
    if (files_.directoryExists(dir)) return;
    ForceDirs(FolderPart(dir));
    if (!files_.createDirectory(dir) && !files_.directoryExists(dir)) {
        throw EInOutError("Cannot create folder " + dir);
    }
}

}  // namespace tavlin
