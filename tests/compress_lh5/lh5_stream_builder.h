// Hand-made -lh5- blocks for the decoder tests: single-symbol blocks and a small
// block with a literal and a match, written field by field.
#pragma once

#include <cstdint>

#include "compress_lh5/lh5_test_support.h"

namespace tavlin::test {

// A block of `size` symbols (0 stands for 65536) whose character code holds only
// `symbol` and whose distance code holds only `distanceClass`: no symbol takes a bit.
inline StreamBits& SingleSymbolBlock(StreamBits& bits, std::uint32_t size, std::uint32_t symbol,
                                     std::uint32_t distanceClass = 0) {
    bits.Put(16, size);
    bits.Put(5, 0).Put(5, 0);            // code-length code: one symbol
    bits.Put(9, 0).Put(9, symbol);       // character code: one symbol
    bits.Put(4, 0).Put(4, distanceClass);  // distance code: one class
    return bits;
}

// The header of a block whose character code is 'A' (code 0) and the match of
// length 5 (code 1); the distance code holds only distanceClass.
inline StreamBits& LiteralAndMatchHeader(StreamBits& bits, std::uint32_t size, std::uint32_t distanceClass = 0) {
    bits.Put(16, size);
    // Code-length code: symbol 2 (a run of 20 or more zeros) is 0, symbol 3 (length 1) is 1.
    bits.Put(5, 4).Put(3, 0).Put(3, 0).Put(3, 1).Put(2, 0).Put(3, 1);
    // Character lengths 0..258: 65 zeros, 'A' = 1, 192 zeros, symbol 258 (length 5) = 1.
    bits.Put(9, 259).Put(1, 0).Put(9, 65 - 20).Put(1, 1).Put(1, 0).Put(9, 192 - 20).Put(1, 1);
    bits.Put(4, 0).Put(4, distanceClass);
    return bits;
}

}  // namespace tavlin::test
