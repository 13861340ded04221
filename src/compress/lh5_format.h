// The fixed numbers of the -lh5- bit format that the LH5 encoder and decoder
// share: window and match sizes, the three alphabets and the lookup widths.
#pragma once

#include <cstdint>

namespace tavlin::lh5 {

inline constexpr int kWindowSize = 8192;
inline constexpr int kWindowMask = kWindowSize - 1;
inline constexpr int kMinMatch = 3;
inline constexpr int kMaxMatch = 256;
// A match of length L is sent as character symbol L + kMatchSymbolOffset (256..509).
inline constexpr int kMatchSymbolOffset = 256 - kMinMatch;

// The character/length alphabet: 256 literals and 254 match lengths.
inline constexpr int kCharCount = 510;
// The distance alphabet: the bit length of (distance - 1), 0..13.
inline constexpr int kPositionCount = 14;
// The code-length alphabet that carries the character code's lengths.
inline constexpr int kLengthCodeCount = 19;

// Bits of the counts sent in a block header for each alphabet.
inline constexpr int kCharCountBits = 9;
inline constexpr int kPositionCountBits = 4;
inline constexpr int kLengthCodeCountBits = 5;
// The code-length code is followed by a 2-bit zero run after its third length.
inline constexpr int kLengthCodeZeroRunAfter = 3;

inline constexpr int kMaxCodeLength = 16;
inline constexpr int kCharTableBits = 12;
inline constexpr int kAuxTableBits = 8;
// Inner tree nodes for codes longer than a lookup table; numbered from the
// alphabet size upward, so the character tree and the auxiliary trees can share.
inline constexpr int kTreeNodes = 2 * kCharCount;

// Both windows start filled with spaces.
inline constexpr std::uint8_t kWindowFill = 0x20;

}  // namespace tavlin::lh5
