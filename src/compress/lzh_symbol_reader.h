// Reads coLZH symbols and match offsets from a byte source (the codec frame, or
// a plain buffer in tests): the bit reader, the adaptive tree and the offset
// code. ByteSource offers FetchByte() and InputEnded as the frame does.
//
// The bit buffer holds the next bits from bit 63 down; a read that needs more
// bits than it holds fills it with whole bytes up to 57 bits or more, so most
// reads of the tree's single bits cost a shift. Bytes fetched at or after the
// end of the input count as zero bits.
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
        // The walk keeps the bits in locals; the buffer is refilled at most once
        // per 57 bits.
        std::uint64_t bits = bits_;
        int count = bitCount_;
        int c = tree_.Child[kLzhRoot];
        while (c < kLzhNodeCount) {
            if (count == 0) {
                bits_ = bits;
                bitCount_ = count;
                Refill();
                bits = bits_;
                count = bitCount_;
            }
            c = tree_.Child[c + static_cast<int>(bits >> 63)];
            bits <<= 1;
            --count;
        }
        bits_ = bits;
        bitCount_ = count;
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
    // cut short, since an encoder never leaves a symbol unfinished. Bits taken
    // only grow, and real bits stop growing once filler came, so "now" is "ever".
    bool Overrun() const { return fetchedBits_ - bitCount_ > realBits_; }

    const TAdaptiveTree& Tree() const { return tree_; }

private:
    void Refill() {
        while (bitCount_ <= 56) {
            std::uint8_t b = source_.FetchByte();
            if (source_.InputEnded) {
                b = 0;
            } else if (realBits_ == fetchedBits_) {
                // Real bits are counted only while no zero filler stands before them.
                realBits_ += 8;
            }
            fetchedBits_ += 8;
            bits_ |= static_cast<std::uint64_t>(b) << (56 - bitCount_);
            bitCount_ += 8;
        }
    }

    int Take(int n) {
        if (n == 0) return 0;
        if (bitCount_ < n) Refill();
        const int result = static_cast<int>(bits_ >> (64 - n));
        bits_ <<= n;
        bitCount_ -= n;
        return result;
    }

    int NextByte() { return Take(8); }
    int NextBits(int n) { return Take(n); }

    ByteSource& source_;
    TAdaptiveTree tree_;
    std::uint64_t bits_ = 0;
    int bitCount_ = 0;
    std::int64_t fetchedBits_ = 0;  // bits put into bits_ so far, filler included
    std::int64_t realBits_ = 0;     // of those, the ones from real input
};

}  // namespace tavlin
