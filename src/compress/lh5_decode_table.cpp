// Canonical Huffman table construction for the LH5 decoder, with the checks that
// keep a corrupt block header from reaching outside the tables.
#include "compress/lh5_decode_table.h"

#include <algorithm>

#include "compress/compress_errors.h"

namespace tavlin::lh5 {

void BuildDecodeTable(int nchar, const std::uint8_t* len, int tablebits, std::uint16_t* table,
                      LH5DecodeTables& tables) {
    constexpr std::uint32_t kCodeSpace = 1u << kMaxCodeLength;
    std::uint32_t count[kMaxCodeLength + 1] = {};
    for (int ch = 0; ch < nchar; ++ch) {
        if (len[ch] > kMaxCodeLength) throw ELZHBadDecodeTable();
        ++count[len[ch]];
    }

    // start[i]: the first code of length i, left-aligned in 16 bits. The sum is
    // kept in 32 bits: a set that over-fills the code space by a multiple of 2^16
    // would pass a 16-bit test and then index past the table.
    std::uint32_t start[kMaxCodeLength + 2] = {};
    std::uint32_t weight[kMaxCodeLength + 1] = {};
    for (int i = 1; i <= kMaxCodeLength; ++i) {
        weight[i] = 1u << (kMaxCodeLength - i);
        start[i + 1] = start[i] + count[i] * weight[i];
    }
    // Only a complete code is accepted; an all-zero set defines no code at all.
    if (start[kMaxCodeLength + 1] != kCodeSpace) throw ELZHBadDecodeTable();

    const int jut = kMaxCodeLength - tablebits;
    for (int i = 1; i <= tablebits; ++i) {
        start[i] >>= jut;
        weight[i] >>= jut;
    }

    // Entries past the short codes lead into trees; 0 marks "no node yet" (nodes
    // are numbered from nchar up, so 0 is never a node).
    const std::uint32_t tableSize = 1u << tablebits;
    const std::uint32_t firstLong = start[tablebits + 1] >> jut;
    if (firstLong < tableSize) std::fill(table + firstLong, table + tableSize, std::uint16_t{0});

    int avail = nchar;
    const std::uint32_t treeBit = 1u << (kMaxCodeLength - 1 - tablebits);
    for (int ch = 0; ch < nchar; ++ch) {
        const int length = len[ch];
        if (length == 0) continue;
        const std::uint32_t next = start[length] + weight[length];
        if (length <= tablebits) {
            std::fill(table + start[length], table + next, static_cast<std::uint16_t>(ch));
        } else {
            std::uint32_t code = start[length];
            std::uint16_t* slot = &table[code >> jut];
            for (int depth = length - tablebits; depth > 0; --depth) {
                if (*slot == 0) {
                    if (avail >= kTreeNodes) throw ELZHBadDecodeTable();
                    tables.TreeLeft[avail] = tables.TreeRight[avail] = 0;
                    *slot = static_cast<std::uint16_t>(avail++);
                }
                slot = (code & treeBit) ? &tables.TreeRight[*slot] : &tables.TreeLeft[*slot];
                code <<= 1;
            }
            *slot = static_cast<std::uint16_t>(ch);
        }
        start[length] = next;
    }
}

}  // namespace tavlin::lh5
