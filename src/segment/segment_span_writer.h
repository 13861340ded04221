// Writes the logical stream of a set into numbered segment files of a fixed
// size: a new file, with its ID header, starts whenever the current one is full
// and more bytes come.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace tavlin {

class SegmentSpanWriter {
public:
    SegmentSpanWriter(FileSystem& files, std::string folder, std::string baseName, std::uint32_t segmentSize);

    void Write(const void* data, std::size_t count);
    // Closes the last file and returns the paths of all files written.
    std::vector<std::string> Finish();
    // Closes and deletes every file written so far.
    void Discard();

private:
    void StartSegment();

    FileSystem& files_;
    std::string folder_;
    std::string baseName_;
    std::uint32_t segmentSize_;
    std::unique_ptr<FileStream> file_;
    std::uint64_t room_ = 0;
    std::vector<std::string> paths_;
};

}  // namespace tavlin
