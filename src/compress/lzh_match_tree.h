// The match finder of the coLZH encoder: binary search trees of the 60-byte
// strings at the last 4096 window positions, under 4096 roots chosen by the
// first byte and a 4-bit hash of the next two. Each node remembers how many
// leading bytes it shares with its parent, so an insertion compares only from
// the first byte not yet known to be equal.
#pragma once

#include <array>
#include <cstdint>

namespace tavlin {

class TLzhMatchTree {
public:
    static constexpr int kWindowSize = 4096;
    static constexpr int kStringLength = 60;
    static constexpr int NIL = kWindowSize;

    // Window bytes; 4096..4154 mirror 0..58 so that a string near the end can be
    // compared without wrapping.
    std::array<std::uint8_t, kWindowSize + kStringLength> Window{};
    // After InsertString: the best match of the inserted string (length 0 when
    // none of at least 3) and its offset (distance - 1), the nearest on a tie.
    int BestLength = 0;
    int BestOffset = 0;

    // Empties every tree.
    void Reset();
    // Adds the string at r and finds its best match among the strings present.
    void InsertString(int r);
    // Removes the string at p; nothing happens when it is not in a tree.
    void DeleteString(int p);

private:
    static constexpr int kRootBase = kWindowSize + 1;  // 4097
    static constexpr int kRootCount = 4096;

    int RootOf(int r) const;
    // Sets SharedPrefix[x] to the common prefix of the strings at x and p, of
    // which the first k bytes are known to be equal (1 when p is a root or NIL).
    void ComputeShared(int k, int p, int x);
    // x, a child of p, moves up to p's parent q: its shared prefix with q follows
    // from the two it had.
    void FixShared(int q, int p, int x);
    // In p's parent, makes the link that pointed to p point to x.
    void Relink(int p, int x);

    std::array<std::int16_t, kWindowSize + 1> TreeLess{};
    std::array<std::int16_t, kRootBase + kRootCount + 1> TreeGreater{};  // roots at 4097..8192
    std::array<std::int16_t, kWindowSize + 2> TreeUp{};                 // entry 4096 absorbs NIL's
    std::array<std::uint8_t, kWindowSize + 2> SharedPrefix{};
};

}  // namespace tavlin
