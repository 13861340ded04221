// The logical stream of a set: reads that run on from one segment file into the
// next, skipping, and copying a stretch of the stream into a temporary file.
#include <algorithm>

#include "segment/dedazedozave.h"

namespace tavlin {

void DEdaZedozave::NextSegment() {
    segment_.reset();
    if (OnSegAfter) OnSegAfter(curSegMode_, curSegName_, curSegNumber_);
    // No file can follow the last number a segment header holds.
    if (curSegNumber_ == kLargestSegmentNumber) throw ESegError(kSegStreamReadFailed);
    segment_ = OpenSegment(static_cast<std::uint16_t>(curSegNumber_ + 1));
    ReadSegmentID(*segment_);
}

void DEdaZedozave::SpanRead(void* buffer, std::size_t count) {
    auto* out = static_cast<std::uint8_t*>(buffer);
    while (count > 0) {
        if (segRemaining_ <= 0) NextSegment();
        const std::size_t block = static_cast<std::size_t>(
            std::min<std::int64_t>({static_cast<std::int64_t>(kSegBufferSize), static_cast<std::int64_t>(count),
                                    segRemaining_}));
        std::size_t got = 0;
        while (got < block) {
            const std::size_t n = segment_->read(out + got, block - got);
            // A file that shrank under the reader would otherwise be waited on forever.
            if (n == 0) throw ESegError(kSegStreamReadFailed);
            got += n;
        }
        out += block;
        count -= block;
        segRemaining_ -= static_cast<std::int64_t>(block);
        if (ProcessMessages) ProcessMessages();
    }
}

void DEdaZedozave::SkipSpan(std::uint64_t count) {
    while (count > 0) {
        const auto block = static_cast<std::size_t>(std::min<std::uint64_t>(count, kSegBufferSize));
        SpanRead(ioBuffer_.data(), block);
        count -= block;
    }
}

std::string DEdaZedozave::TempArchivePath() const { return segTmpDir_ + "\\" + segBaseName_ + ".$A$"; }

void DEdaZedozave::CopySpanToFile(const std::string& path, std::uint64_t size, bool reportProgress) {
    Files().deleteFile(path);  // a leftover of an earlier run; a failure shows when creating
    std::unique_ptr<FileStream> file;
    try {
        file = Files().create(path);
    } catch (const Exception&) {
        throw ESegError(kSegStreamOpenFailed);
    }
    try {
        std::uint64_t copied = 0;
        while (copied < size) {
            const auto block = static_cast<std::size_t>(std::min<std::uint64_t>(size - copied, kSegBufferSize));
            SpanRead(ioBuffer_.data(), block);
            file->writeBuffer(ioBuffer_.data(), block);
            copied += block;
            if (reportProgress && OnSegShowProgress) {
                OnSegShowProgress(static_cast<std::int32_t>(copied * 100 / size));
            }
        }
    } catch (...) {
        // The partial copy goes; the error goes on to the caller.
        file.reset();
        Files().deleteFile(path);
        throw;
    }
}

}  // namespace tavlin
