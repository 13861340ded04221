// The LH5 bit reader's slow path: refills at chunk boundaries and the end of input.
#include "compress/lh5_bit_reader.h"

#include <numeric>

namespace tavlin::lh5 {

LH5BitReader::LH5BitReader(TCompThreadSafety& frame, LH5OutputWindow& output)
    : frame_(frame), output_(output), summedFrom_(frame.InPos) {
    for (int first = 0; first < 4; ++first) {
        for (int i = 0; i < 8; ++i) keyPattern_[first] = (keyPattern_[first] << 8) | frame.KeyBytes[(first + i) & 3];
    }
}

void LH5BitReader::Settle() {
    while (count_ < 16) {
        if (ended_) {
            // Past the end every bit is 0, and the register already holds zeros.
            zeroBits_ += static_cast<std::uint64_t>(64 - count_);
            count_ = 64;
            return;
        }
        if (frame_.InPos == frame_.InEnd) {
            SyncInputSum();
            // The bytes decoded so far are written before the next chunk is read.
            output_.EmitPending();
            ended_ = !frame_.Refill();
            summedFrom_ = frame_.InPos;
            continue;
        }
        std::uint8_t b = frame_.InBuffer[frame_.InPos++];
        if (frame_.DescrambleInput) b = frame_.ScrambleByte(b);
        bits_ |= std::uint64_t{b} << (56 - count_);
        count_ += 8;
    }
}

void LH5BitReader::SyncInputSum() {
    if (frame_.InPos > summedFrom_) {
        const std::uint8_t* buffer = frame_.InBuffer.get();
        frame_.InSum = std::accumulate(buffer + summedFrom_, buffer + frame_.InPos, frame_.InSum);
    }
    summedFrom_ = frame_.InPos;
}

}  // namespace tavlin::lh5
