// Reads coLZH symbols and match offsets from a byte source (the codec frame, or
// a plain buffer in tests): the bit reader, the adaptive tree and the offset
// code. ByteSource offers FetchByte() and InputEnded as the frame does.
//
// On entry to each read the bit buffer holds InBitCount bits, first bit in bit
// 15; a read refills it once with one byte when 8 or fewer bits are left, so
// it always holds enough for the at most 8 bits one read takes. Bytes fetched
// at or after the end of the input count as zero bits.
#pragma once

#include <cstdint>

#include "compress/lzh_adaptive_tree.h"
#include "compress/lzh_offset_code.h"

namespace tavlin {

template <class ByteSource>
class LzhSymbolReader {
public:
    explicit LzhSymbolReader(ByteSource& source) : source_(source) { InitAdaptiveTree(tree_); }

    // The next symbol: 0..255 a literal, 256..313 a match of length symbol - 253.
    int NextSymbol() {
        int c = tree_.Child[kLzhRoot];
        while (c < kLzhNodeCount) c = tree_.Child[c + NextBit()];
        const int s = c - kLzhNodeCount;
        UpdateAdaptiveTree(tree_, s);
        return s;
    }

    // The next match offset: the distance minus one, 0..4095.
    int NextOffset() {
        const int i = NextByte();
        const int upper = kLzhOffsetCode.UpperOf[i];
        const int extra = kLzhOffsetCode.LengthOf[i] - 2;
        const int low = ((i << extra) | NextBits(extra)) & 0x3F;
        return (upper << 6) | low;
    }

    // True once a read took bits past the last byte of real input: the data was
    // cut short, since an encoder never leaves a symbol unfinished.
    bool Overrun() const { return overrun_; }

    const TAdaptiveTree& Tree() const { return tree_; }

private:
    void Refill() {
        if (bitCount_ > 8) return;
        std::uint8_t b = source_.FetchByte();
        if (source_.InputEnded) {
            b = 0;
        } else if (realBits_ == bitCount_) {
            // Real bits are counted only while no zero filler stands before them.
            realBits_ += 8;
        }
        bits_ = static_cast<std::uint16_t>(bits_ | (b << (8 - bitCount_)));
        bitCount_ += 8;
    }

    int Take(int n) {
        Refill();
        const int result = bits_ >> (16 - n);
        bits_ = static_cast<std::uint16_t>(bits_ << n);
        bitCount_ -= n;
        if (n > realBits_) {
            overrun_ = true;
            realBits_ = 0;
        } else {
            realBits_ -= n;
        }
        return result;
    }

    int NextBit() { return Take(1); }
    int NextByte() { return Take(8); }
    int NextBits(int n) { return Take(n); }

    ByteSource& source_;
    TAdaptiveTree tree_;
    std::uint16_t bits_ = 0;  // InBits
    int bitCount_ = 0;        // InBitCount
    int realBits_ = 0;        // leading bits of bits_ that came from real input
    bool overrun_ = false;
};

}  // namespace tavlin
