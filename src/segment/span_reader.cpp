// The logical stream of a set: reads that run on from one segment file into the
// next, skipping, and copying a stretch of the stream into a temporary file.
// The stream is taken in blocks of at most 8192 bytes (the messages are pumped
// after each, an archive's progress reported after each of its blocks), while
// the segment file is read and the temporary file written in large pieces.
#include <algorithm>
#include <cstring>

#include "segment/dedazedozave.h"

namespace tavlin {

void DEdaZedozave::NextSegment() {
    segment_.reset();
    readAhead_.Reset();
    if (OnSegAfter) OnSegAfter(curSegMode_, curSegName_, curSegNumber_);
    // No file can follow the last number a segment header holds.
    if (curSegNumber_ == kLargestSegmentNumber) throw ESegError(kSegStreamReadFailed);
    segment_ = OpenSegment(static_cast<std::uint16_t>(curSegNumber_ + 1));
    ReadSegmentID(*segment_);
}

std::span<const std::uint8_t> DEdaZedozave::NextPiece(std::size_t max) {
    if (segRemaining_ <= 0) NextSegment();
    const auto want = static_cast<std::size_t>(
        std::min<std::int64_t>({static_cast<std::int64_t>(kSegBufferSize), static_cast<std::int64_t>(max),
                                segRemaining_}));
    const auto piece = readAhead_.Take(*segment_, want, segRemaining_);
    segRemaining_ -= static_cast<std::int64_t>(piece.size());
    if (ProcessMessages) ProcessMessages();
    return piece;
}

void DEdaZedozave::SpanRead(void* buffer, std::size_t count) {
    auto* out = static_cast<std::uint8_t*>(buffer);
    while (count > 0) {
        const auto piece = NextPiece(count);
        std::memcpy(out, piece.data(), piece.size());
        out += piece.size();
        count -= piece.size();
    }
}

void DEdaZedozave::SkipSpan(std::uint64_t count) {
    while (count > 0) {
        const auto block = static_cast<std::size_t>(std::min<std::uint64_t>(count, kSegBufferSize));
        count -= NextPiece(block).size();
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
        // The bytes taken from the read-ahead buffer since its last refill lie in
        // one run there; they are written when it is about to be refilled.
        const std::uint8_t* pending = nullptr;
        std::size_t pendingSize = 0;
        const auto writePending = [&] {
            if (pendingSize > 0) file->writeBuffer(pending, pendingSize);
            pendingSize = 0;
        };
        std::uint64_t copied = 0;
        while (copied < size) {
            const auto block = static_cast<std::size_t>(std::min<std::uint64_t>(size - copied, kSegBufferSize));
            for (std::size_t got = 0; got < block;) {
                if (readAhead_.Buffered() == 0) writePending();
                const auto piece = NextPiece(block - got);
                if (pendingSize == 0) pending = piece.data();
                pendingSize += piece.size();
                got += piece.size();
            }
            copied += block;
            if (reportProgress && OnSegShowProgress) {
                OnSegShowProgress(static_cast<std::int32_t>(copied * 100 / size));
            }
        }
        writePending();
    } catch (...) {
        // The partial copy goes; the error goes on to the caller.
        file.reset();
        Files().deleteFile(path);
        throw;
    }
}

}  // namespace tavlin
