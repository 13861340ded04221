// The LH5 encoder's bit writer: bits go out most significant first, a byte
// through the frame's EmitByte as soon as it is full.
#pragma once

#include <cstdint>

#include "compress/codec_frame.h"

namespace tavlin::lh5 {

class LH5BitWriter {
public:
    explicit LH5BitWriter(TCompThreadSafety& frame) : frame_(frame) {}

    // Writes the top n (0..16) bits of x; the bits below them must be 0.
    void WriteCode(int n, std::uint16_t x) {
        pending_ = (pending_ << n) | (static_cast<std::uint32_t>(x) >> (16 - n));
        count_ += n;
        while (count_ >= 8) {
            count_ -= 8;
            frame_.EmitByte(static_cast<std::uint8_t>(pending_ >> count_));
        }
    }
    // Writes the low n (0..16) bits of x.
    void WriteBits(int n, unsigned x) { WriteCode(n, static_cast<std::uint16_t>(x << (16 - n))); }
    // Completes a partly filled last byte with zero bits; writes nothing otherwise.
    void Finish() { WriteBits(7, 0); }

private:
    TCompThreadSafety& frame_;
    // Bits not yet written, the last count_ of them in the low bits (fewer than
    // 8 between calls); the bits above are written already.
    std::uint32_t pending_ = 0;
    int count_ = 0;
};

}  // namespace tavlin::lh5
