// The LH5 decoder's bit reader: the stream's bits, most significant first, in a
// 64-bit register. It takes bytes straight from the frame's input buffer, but asks
// the frame for a new chunk only at the bit where a reader that keeps exactly the
// next 16 bits would need one, so reads, progress calls and writes happen in the
// same order as with such a reader. After the input ends every bit is 0.
#pragma once

#include <cstdint>
#include <cstring>

#include "compress/codec_frame.h"
#include "compress/lh5_format.h"
#include "compress/lh5_output_window.h"

namespace tavlin::lh5 {

class LH5BitReader {
public:
    // Bits a fast step may consume without a check: a character code, a distance
    // code and the distance's low bits.
    static constexpr int kFastStepBits = 2 * kMaxCodeLength + 12;

    // output is told to hand over its pending bytes before each new chunk is read.
    LH5BitReader(TCompThreadSafety& frame, LH5OutputWindow& output);
    ~LH5BitReader() { SyncInputSum(); }
    LH5BitReader(const LH5BitReader&) = delete;
    LH5BitReader& operator=(const LH5BitReader&) = delete;

    // Loads the first 16 bits.
    void Start() { Settle(); }

    // The next 16 bits, first bit in bit 15.
    std::uint32_t Peek16() const { return static_cast<std::uint32_t>(bits_ >> 48); }
    // The register: valid bits from bit 63 down, zeros below them.
    std::uint64_t Bits() const { return bits_; }

    // Drops n (0..16) bits and makes sure the next 16 are there again.
    void Consume(int n) {
        DropBits(n);
        if (count_ < 16) Settle();
    }
    // Reads an n-bit value (0..16).
    std::uint32_t Take(int n) {
        if (n == 0) return 0;
        const auto x = static_cast<std::uint32_t>(bits_ >> (64 - n));
        Consume(n);
        return x;
    }

    // True when a whole fast step can run from the bytes in the input buffer,
    // which then holds more than the step can need: no chunk read can fall in it.
    bool FastStepReady() const { return !ended_ && frame_.InEnd - frame_.InPos >= 16; }
    // Fills the register from the input buffer; only when FastStepReady.
    // On return at least 56 bits are valid.
    void TopUp() {
        const int bytes = (63 - count_) >> 3;
        if (bytes == 0) return;
        std::uint64_t word = LoadBigEndian(frame_.InBuffer.get() + frame_.InPos);
        if (frame_.DescrambleInput) {
            word ^= keyPattern_[frame_.KeyIndex];
            frame_.KeyIndex = static_cast<std::int16_t>((frame_.KeyIndex + bytes) & 3);
        }
        word &= ~std::uint64_t{0} << (64 - 8 * bytes);
        bits_ |= word >> count_;
        count_ += 8 * bytes;
        frame_.InPos += bytes;
    }
    // Drops n bits without refilling; a fast step's caller tops up first.
    void DropBits(int n) {
        bits_ <<= n;
        count_ -= n;
    }
    // Pulls bytes until the next 16 bits are there, reading a new chunk only
    // when the buffer is empty.
    void Settle();

    // True once bits past the end of the input were used: the zeros that stand
    // in for the missing data reached the decoder (the register holds only the
    // last count_ of the bits ever loaded, and the zeros came last).
    bool ReadPastEnd() const { return zeroBits_ > static_cast<std::uint64_t>(count_); }

private:
    static std::uint64_t LoadBigEndian(const std::uint8_t* p) {
        std::uint64_t word = 0;
        for (int i = 0; i < 8; ++i) word = (word << 8) | p[i];
        return word;
    }
    // Bytes taken from the input buffer are added to the frame's input sum in one
    // go, before the buffer is refilled and at the end.
    void SyncInputSum();

    TCompThreadSafety& frame_;
    LH5OutputWindow& output_;
    std::uint64_t bits_ = 0;
    int count_ = 0;
    bool ended_ = false;
    std::uint64_t zeroBits_ = 0;  // zeros loaded after the end of the input
    int summedFrom_ = 0;
    // The key bytes in stream order for each starting key index, big-endian.
    std::uint64_t keyPattern_[4] = {};
};

}  // namespace tavlin::lh5
