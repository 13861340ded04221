// The LH5 encoder's match finder: a suffix tree over the last 8192 window
// positions. Children are found through one shared hash table; every inner node
// keeps the most recent position whose string passes through it, passed on to
// its parent lazily (a pending flag marks a value not yet passed on).
#pragma once

#include <cstdint>

#include "compress/lh5_format.h"

namespace tavlin::lh5 {

class LH5MatchTree {
public:
    // The window: the last 8192 bytes, the next 8192 and the lookahead of one match.
    static constexpr int kWindowBytes = 2 * kWindowSize + kMaxMatch + 1;

    // Node numbers: inner nodes 1..8191, the root for first byte c is kRoot + c,
    // and a leaf is the window position of its string (8192..16383).
    static constexpr int kRoot = kWindowSize;
    static constexpr int kNodes = kWindowSize + 256 + 1;
    static constexpr int kLeafEnd = 2 * kWindowSize;
    // Hash chains: child entries, then the bucket heads for (node, next byte).
    static constexpr int kBucketBase = 2 * kWindowSize;
    static constexpr int kBucketBits = 15;
    static constexpr int kChainEntries = kBucketBase + (1 << kBucketBits);
    // Chain links are 16 bits wide and a first entry's back link names its bucket.
    static_assert(kChainEntries <= 0x10000);
    static constexpr std::uint16_t kPending = 0x8000;

    // Empties the tree.
    void Reset();
    // Inserts the string at CurPos and leaves the longest earlier match in
    // MatchStart and MatchLength (MatchLength 1 or 2 when there is none).
    void InsertPosition();
    // Removes the leaf CurPos, whose string is leaving the window.
    void RemovePosition();
    // RemovePosition, then InsertPosition: the work of every position, in one
    // body without calls.
    void ReplacePosition();

    std::uint8_t Window[kWindowBytes] = {};
    int CurPos = 0;
    int MatchStart = 0;
    int MatchLength = 0;

private:
    // Bucket of a node's child for byte c. The byte goes in by XOR, so one node's
    // children never share a bucket and FindChild, which only checks the parent,
    // finds the right one; the node number is spread so that neighbouring nodes
    // and frequent byte pairs do not crowd a few chains. Which bucket holds a
    // child never changes which child is found, so the stream stays the same.
    static int Bucket(int node, int c) {
        const std::uint32_t spread = (static_cast<std::uint32_t>(node) * 2654435761u) >> (32 - kBucketBits);
        return kBucketBase + static_cast<int>(spread ^ static_cast<std::uint32_t>(c));
    }
    int FindChild(int node, int c);
    void AttachChild(int node, int c, int child);
    void SplitNode(int old);
    // Unlinks entry from its hash chain.
    void Unlink(int entry);
    // Puts entry where old stands in old's hash chain.
    void TakePlace(int entry, int old);
    // A stored position at or after CurPos stands for one window size earlier.
    int Unwrap(int position) const { return position >= CurPos ? position - kWindowSize : position; }

    std::uint8_t NodeDepth[kNodes] = {};
    std::uint8_t NodeChildren[kNodes] = {};
    std::uint16_t NodeRecent[kNodes] = {};
    std::uint16_t NodeParent[kLeafEnd + 1] = {};
    std::uint16_t ChainPrev[kLeafEnd + 1] = {};
    std::uint16_t ChainNext[kChainEntries] = {};
    int FreeNode = 0;
};

}  // namespace tavlin::lh5
