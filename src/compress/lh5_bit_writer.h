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
        while (n >= free_) {
            n -= free_;
            pending_ = static_cast<std::uint8_t>(pending_ + (x >> (16 - free_)));
            x = static_cast<std::uint16_t>(x << free_);
            frame_.EmitByte(pending_);
            pending_ = 0;
            free_ = 8;
        }
        pending_ = static_cast<std::uint8_t>(pending_ + (x >> (16 - free_)));
        free_ -= n;
    }
    // Writes the low n (0..16) bits of x.
    void WriteBits(int n, unsigned x) { WriteCode(n, static_cast<std::uint16_t>(x << (16 - n))); }
    // Completes a partly filled last byte with zero bits; writes nothing otherwise.
    void Finish() { WriteBits(7, 0); }

private:
    TCompThreadSafety& frame_;
    std::uint8_t pending_ = 0;  // bits waiting for their byte, left-aligned
    int free_ = 8;              // free bits in that byte
};

}  // namespace tavlin::lh5
