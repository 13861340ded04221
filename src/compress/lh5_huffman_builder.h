// Builds the LH5 encoder's Huffman codes: a tree from symbol counts with a binary
// heap, code lengths limited to 16 bits, and canonical codes left-aligned in 16
// bits, so that the decoder's table builder reads back the same code.
#pragma once

#include <cstdint>

#include "compress/lh5_format.h"

namespace tavlin::lh5 {

class LH5HuffmanBuilder {
public:
    // Builds a code for the n symbols counted in freq[0..n-1] and fills len[] and
    // code[]; freq[] needs room for 2n - 1 entries (inner nodes are counted there)
    // and code[] for n + 1. Returns the root: an inner node (n or above) for a real
    // code, else the only counted symbol, or 0 when none was counted; such a
    // symbol keeps length 0.
    int Build(int n, std::uint16_t* freq, std::uint8_t* len, std::uint16_t* code);

private:
    // A heap entry holds its count above its symbol or node, so that comparing
    // two needs no look into the counts; only the counts are compared.
    static std::uint32_t Entry(std::uint16_t count, int symbol) {
        return (std::uint32_t{count} << 16) | static_cast<std::uint32_t>(symbol);
    }
    static int SymbolOf(std::uint32_t entry) { return static_cast<int>(entry & 0xFFFF); }
    static std::uint32_t CountOf(std::uint32_t entry) { return entry >> 16; }
    void HeapDown(int i);
    void CountDepths(int node, int depth);
    void LimitLengths(int root);
    void AssignCodes();

    int n_ = 0;
    std::uint8_t* len_ = nullptr;
    std::uint16_t* code_ = nullptr;
    int heapSize_ = 0;
    std::uint32_t heap_[kCharCount + 1] = {};
    std::uint16_t left_[kTreeNodes] = {};
    std::uint16_t right_[kTreeNodes] = {};
    // Leaves per code length; leaves deeper than 16 are counted at 16.
    std::uint16_t depthCount_[kMaxCodeLength + 1] = {};
};

}  // namespace tavlin::lh5
