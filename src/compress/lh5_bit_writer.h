// The LH5 encoder's bit writer: bits go out most significant first. Whole bytes
// gather in a small buffer that goes to the frame in one piece, so the frame's
// per-byte checks run once per buffer; the bytes, their order and the failure
// when the output grows past its limit are those of writing each byte at once.
#pragma once

#include <cstdint>

#include "compress/codec_frame.h"
#include "compress/lh5_output_window.h"

namespace tavlin::lh5 {

class LH5BitWriter {
public:
    explicit LH5BitWriter(TCompThreadSafety& frame) : frame_(frame) {}

    // Writes the top n (0..16) bits of x; the bits below them must be 0.
    void WriteCode(int n, std::uint16_t x) { WriteValue(n, static_cast<std::uint32_t>(x) >> (16 - n)); }
    // Writes value, which has no bits set above its low n (0..32).
    void WriteValue(int n, std::uint32_t value) {
        pending_ = (pending_ << n) | value;
        count_ += n;
        if (count_ >= 32) {
            count_ -= 32;
            const auto word = static_cast<std::uint32_t>(pending_ >> count_);
            bytes_[used_] = static_cast<std::uint8_t>(word >> 24);
            bytes_[used_ + 1] = static_cast<std::uint8_t>(word >> 16);
            bytes_[used_ + 2] = static_cast<std::uint8_t>(word >> 8);
            bytes_[used_ + 3] = static_cast<std::uint8_t>(word);
            used_ += 4;
            if (used_ == kBufferBytes) Flush();
        }
    }
    // Writes the low n (0..16) bits of x.
    void WriteBits(int n, unsigned x) { WriteCode(n, static_cast<std::uint16_t>(x << (16 - n))); }
    // Completes a partly filled last byte with zero bits (writes nothing when
    // none is pending) and hands everything to the frame.
    void Finish() {
        WriteBits(7, 0);
        while (count_ >= 8) {
            count_ -= 8;
            bytes_[used_++] = static_cast<std::uint8_t>(pending_ >> count_);
        }
        Flush();
    }

private:
    static constexpr int kBufferBytes = 4096;

    void Flush() {
        EmitBytes(frame_, bytes_, static_cast<std::size_t>(used_));
        used_ = 0;
    }

    TCompThreadSafety& frame_;
    // Bits not yet in bytes_, the last count_ of them in the low bits (fewer
    // than 32 between calls); the bits above are written already.
    std::uint64_t pending_ = 0;
    int count_ = 0;
    // Room for the last partial words at the end.
    std::uint8_t bytes_[kBufferBytes + 8] = {};
    int used_ = 0;
};

}  // namespace tavlin::lh5
