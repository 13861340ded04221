// Writes coLZH symbols and match offsets to a byte sink (the codec frame, or a
// plain buffer in tests): the adaptive tree, the offset code and the bit
// writer. ByteSink offers EmitByte() as the frame does.
//
// Between calls the bit writer holds 0..7 pending bits at the top of OutBits.
#pragma once

#include <cstdint>

#include "compress/lzh_adaptive_tree.h"
#include "compress/lzh_offset_code.h"

namespace tavlin {

template <class ByteSink>
class LzhSymbolWriter {
public:
    explicit LzhSymbolWriter(ByteSink& sink) : sink_(sink) { InitAdaptiveTree(tree_); }

    // Writes symbol c (0..313) with its current code, then counts it. A code may
    // be longer than 16 bits; it then goes out in two pieces.
    void PutSymbol(int c) {
        std::uint32_t code = 0;
        int n = 0;
        int k = tree_.Parent[kLzhNodeCount + c];
        do {
            code >>= 1;
            if (k & 1) code += 0x80000000u;
            ++n;
            k = tree_.Parent[k];
        } while (k != kLzhRoot);
        if (n > 16) {
            WriteTopBits(16, static_cast<std::uint16_t>(code >> 16));
            WriteTopBits(n - 16, static_cast<std::uint16_t>(code & 0xFFFF));
        } else {
            WriteTopBits(n, static_cast<std::uint16_t>(code >> 16));
        }
        UpdateAdaptiveTree(tree_, c);
    }

    // Writes offset value d (distance - 1, 0..4095).
    void PutOffset(int d) {
        const int u = d >> 6;
        WriteTopBits(kLzhOffsetCode.Length[u], static_cast<std::uint16_t>(kLzhOffsetCode.Code[u] << 8));
        WriteTopBits(6, static_cast<std::uint16_t>((d & 0x3F) << 10));
    }

    // Writes the last pending bits, padded with zeros to a whole byte.
    void Flush() {
        if (outBitCount_ > 0) sink_.EmitByte(static_cast<std::uint8_t>(outBits_ >> 8));
        outBitCount_ = 0;
        outBits_ = 0;
    }

    // The length of symbol c's current code.
    int CodeLength(int c) const {
        int n = 0;
        for (int k = tree_.Parent[kLzhNodeCount + c]; k != kLzhRoot; k = tree_.Parent[k]) ++n;
        return n;
    }

    const TAdaptiveTree& Tree() const { return tree_; }

private:
    // Writes the top n bits (1..16) of x.
    void WriteTopBits(int n, std::uint16_t x) {
        outBits_ = static_cast<std::uint16_t>(outBits_ | (x >> outBitCount_));
        outBitCount_ += n;
        if (outBitCount_ >= 8) {
            sink_.EmitByte(static_cast<std::uint8_t>(outBits_ >> 8));
            outBitCount_ -= 8;
            if (outBitCount_ >= 8) {
                sink_.EmitByte(static_cast<std::uint8_t>(outBits_ & 0xFF));
                outBitCount_ -= 8;
                outBits_ = static_cast<std::uint16_t>(x << (n - outBitCount_));
            } else {
                outBits_ = static_cast<std::uint16_t>(outBits_ << 8);
            }
        }
    }

    ByteSink& sink_;
    TAdaptiveTree tree_;
    std::uint16_t outBits_ = 0;  // OutBits
    int outBitCount_ = 0;        // OutBitCount
};

}  // namespace tavlin
