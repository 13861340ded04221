// The open segment file's payload, read from the file in large pieces and handed
// out in the reader's small blocks. One system call per 8192-byte block made the
// copy of an archive out of a set cost more than a tenth of expanding it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/stream.h"

namespace tavlin {

class SegmentReadAhead {
public:
    // Bytes read from the file at once; fixed, so memory does not grow with the set.
    static constexpr std::size_t kCapacity = 256 * 1024;

    // The buffer exists only while a set is read.
    void Allocate();
    void Release();
    // A new segment file: nothing of the old one stays buffered.
    void Reset() { pos_ = end_ = 0; }

    std::size_t Buffered() const { return end_ - pos_; }

    // The next 1 to max bytes of file, whose payload still holds remaining bytes
    // (buffered ones included; remaining >= max > 0). Reads the file only when
    // nothing is buffered. The bytes stay valid until the next call.
    std::span<const std::uint8_t> Take(FileStream& file, std::size_t max, std::int64_t remaining);

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
};

}  // namespace tavlin
