// The adaptive Huffman tree of method coLZH, shared by its decoder and encoder:
// 314 symbols (256 literals and the match lengths 3..60), 627 nodes kept in order
// of their counts, updated after every symbol and rebuilt with halved counts when
// the root count reaches 0x8000. Both directions must change it identically.
#pragma once

#include <array>
#include <cstdint>

namespace tavlin {

inline constexpr int kLzhSymbolCount = 314;
inline constexpr int kLzhNodeCount = 2 * kLzhSymbolCount - 1;  // 627
inline constexpr int kLzhRoot = kLzhNodeCount - 1;             // 626
inline constexpr int kLzhShortestMatch = 3;
inline constexpr int kLzhLongestMatch = 60;
// Symbol of a match of length n: n + 253.
inline constexpr int kLzhMatchSymbolBase = 256 - kLzhShortestMatch;

struct TAdaptiveTree {
    // Count of each node; entry 627 is a sentinel larger than every count.
    std::array<std::uint16_t, kLzhNodeCount + 1> Freq{};
    // Parent of each node; entries 627.. give the node that holds symbol (index - 627).
    std::array<std::int16_t, kLzhNodeCount + kLzhSymbolCount> Parent{};
    // Inner node: index of its 0-child (the 1-child follows it); leaf: 627 + symbol.
    std::array<std::int16_t, kLzhNodeCount> Child{};
};

void InitAdaptiveTree(TAdaptiveTree& tree);
// Counts one more occurrence of symbol s, reordering the nodes as needed.
// Returns the highest node whose Child changed (kLzhNodeCount after a rebuild,
// which changes them all), or -1 when none did.
int UpdateAdaptiveTree(TAdaptiveTree& tree, int s);
// Halves every leaf count and builds the inner nodes anew.
void RebuildAdaptiveTree(TAdaptiveTree& tree);

}  // namespace tavlin
