// The Huffman decoding tables of the LH5 decoder: a direct lookup on the first
// bits of a code and small binary trees for the codes that are longer.
#pragma once

#include <cstdint>

#include "compress/lh5_format.h"

namespace tavlin::lh5 {

// Every table of one LH5 decoding run. The code-length code and the distance
// code take turns in AuxLen and AuxTable within a block header.
struct LH5DecodeTables {
    std::uint8_t CharLen[kCharCount] = {};
    std::uint16_t CharTable[1 << kCharTableBits] = {};
    std::uint8_t AuxLen[kLengthCodeCount] = {};
    std::uint16_t AuxTable[1 << kAuxTableBits] = {};
    std::uint16_t TreeLeft[kTreeNodes] = {};
    std::uint16_t TreeRight[kTreeNodes] = {};
};

// Builds the canonical code for the lengths len[0..nchar-1] into table (2^tablebits
// entries) and, for longer codes, into the trees. An entry below nchar is a symbol;
// one at or above nchar is a tree node whose children follow the next code bits.
// Raises ELZHBadDecodeTable unless the lengths (each 0..16) form a complete code.
void BuildDecodeTable(int nchar, const std::uint8_t* len, int tablebits, std::uint16_t* table,
                      LH5DecodeTables& tables);

}  // namespace tavlin::lh5
