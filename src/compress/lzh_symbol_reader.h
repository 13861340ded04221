// Reads coLZH symbols and match offsets from a byte source (the codec frame, or
// a plain buffer in tests): the bit reader, the adaptive tree and the offset
// code. ByteSource offers FetchByte() and InputEnded as the frame does.
//
// The bit buffer holds the next bits from bit 63 down; a read that needs more
// bits than it holds fills it with whole bytes up to 57 bits or more, so most
// reads of the tree's single bits cost a shift. Bytes fetched at or after the
// end of the input count as zero bits.
//
// The first levels of the tree are walked by one look-up in a table indexed by
// the next kTableBits bits. The tree changes after every symbol, but the nodes
// near the root, whose counts are large, seldom trade places: the table is built
// again when a swap reaches as high as the lowest node it was made from.
#pragma once

#include <algorithm>
#include <array>
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
        if (tableLowest_ < 0) BuildTable();
        if (bitCount_ < kTableBits) Refill();
        // The walk keeps the bits in locals; the buffer is refilled at most once
        // per 57 bits.
        const TableEntry entry = table_[bits_ >> (64 - kTableBits)];
        std::uint64_t bits = bits_ << entry.bits;
        int count = bitCount_ - entry.bits;
        int c = entry.child;
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
        if (UpdateAdaptiveTree(tree_, s) >= tableLowest_) tableLowest_ = -1;
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
    static constexpr int kTableBits = 5;

    // The walk from the root over kTableBits bits (or fewer, to a leaf): where it
    // ends, as a Child value, and the bits it took.
    struct TableEntry {
        std::int16_t child;
        std::uint8_t bits;
    };

    void BuildTable() {
        tableLowest_ = kLzhNodeCount;
        FillTable(kLzhRoot, 0, 0);
    }

    // Fills the entries whose first depth bits are prefix, the walk having come to
    // node (whose Child the table then depends on).
    void FillTable(int node, int depth, int prefix) {
        tableLowest_ = std::min(tableLowest_, node);
        const int child = tree_.Child[node];
        if (child >= kLzhNodeCount || depth == kTableBits) {
            const int shift = kTableBits - depth;
            const TableEntry entry{static_cast<std::int16_t>(child), static_cast<std::uint8_t>(depth)};
            std::fill_n(table_.begin() + (prefix << shift), 1 << shift, entry);
            return;
        }
        FillTable(child, depth + 1, prefix << 1);
        FillTable(child + 1, depth + 1, (prefix << 1) | 1);
    }

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
    std::array<TableEntry, 1 << kTableBits> table_{};
    int tableLowest_ = -1;  // the lowest node the table was made from; -1: to be made
    std::uint64_t bits_ = 0;
    int bitCount_ = 0;
    std::int64_t fetchedBits_ = 0;  // bits put into bits_ so far, filler included
    std::int64_t realBits_ = 0;     // of those, the ones from real input
};

}  // namespace tavlin
