#include "segment/segment_read_ahead.h"

#include <algorithm>

#include "segment/segment_errors.h"

namespace tavlin {

void SegmentReadAhead::Allocate() {
    bytes_.assign(kCapacity, 0);
    Reset();
}

void SegmentReadAhead::Release() {
    std::vector<std::uint8_t>().swap(bytes_);
    Reset();
}

std::span<const std::uint8_t> SegmentReadAhead::Take(FileStream& file, std::size_t max, std::int64_t remaining) {
    if (pos_ == end_) {
        const auto want = static_cast<std::size_t>(std::min<std::int64_t>(remaining, kCapacity));
        std::size_t got = 0;
        while (got < want) {
            const std::size_t n = file.read(bytes_.data() + got, want - got);
            if (n == 0) break;
            got += n;
        }
        // A file that shrank under the reader would otherwise be waited on forever;
        // what it still held is handed out first.
        if (got == 0) throw ESegError(kSegStreamReadFailed);
        pos_ = 0;
        end_ = got;
    }
    const std::size_t n = std::min(max, end_ - pos_);
    const std::span<const std::uint8_t> piece(bytes_.data() + pos_, n);
    pos_ += n;
    return piece;
}

}  // namespace tavlin
