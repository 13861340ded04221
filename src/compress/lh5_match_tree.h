// The LH5 encoder's match finder: a suffix tree over the last 8192 window
// positions. Children are found through one shared hash table; every inner node
// keeps the most recent position whose string passes through it, passed on to
// its parent lazily (a pending flag marks a value not yet passed on). The
// steps are defined here, inline, because the encoder runs them for every input
// position and its loop does better with them inside.
#pragma once

#include <algorithm>
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
    // Eight buckets for each of the at most 16383 entries: nearly every lookup
    // ends at the chain's first entry, and a walk is a chain of dependent
    // loads. Halving the table makes compression several per cent slower.
    static constexpr int kBucketBits = 17;
    static constexpr int kChainEntries = kBucketBase + (1 << kBucketBits);
    // Forward links name entries and fit 16 bits; a first entry's back link
    // names its bucket, which needs more.
    static_assert(kLeafEnd <= 0x10000);
    static constexpr std::uint16_t kPending = 0x8000;

    // The longest earlier match of the string last inserted. The caller keeps
    // it and the current position in locals rather than in the tree: held in
    // members, they would go through memory after every byte store, and the
    // next position's insertion waits on them.
    struct Match {
        int start = 0;
        int length = 0;
    };

    // Empties the tree.
    void Reset();
    // Inserts the string at window position pos and leaves the longest earlier
    // match in match (length 1 or 2 when there is none). A match of 4 or more
    // found at pos - 1 shortens the search.
    void InsertPosition(int pos, Match& match);
    // Removes the leaf pos, whose string is leaving the window.
    void RemovePosition(int pos);
    // RemovePosition, then InsertPosition: the work of every position.
    void ReplacePosition(int pos, Match& match);

    std::uint8_t Window[kWindowBytes] = {};

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
    void SplitNode(int old, int pos, const Match& match);
    // Unlinks entry from its hash chain.
    void Unlink(int entry);
    // Puts entry where old stands in old's hash chain.
    void TakePlace(int entry, int old);
    // A stored position at or after pos stands for one window size earlier.
    static int Unwrap(int position, int pos) { return position >= pos ? position - kWindowSize : position; }

    std::uint8_t NodeDepth[kNodes] = {};
    std::uint8_t NodeChildren[kNodes] = {};
    std::uint16_t NodeRecent[kNodes] = {};
    std::uint16_t NodeParent[kLeafEnd + 1] = {};
    std::uint32_t ChainPrev[kLeafEnd + 1] = {};
    std::uint16_t ChainNext[kChainEntries] = {};
    int FreeNode = 0;
};

inline void LH5MatchTree::Reset() {
    for (int c = 0; c < 256; ++c) {
        NodeDepth[kRoot + c] = 1;
        NodeRecent[kRoot + c] = 0;
    }
    std::fill(NodeParent + kWindowSize, NodeParent + kLeafEnd, std::uint16_t{0});
    FreeNode = 1;
    for (int i = 1; i < kWindowSize - 1; ++i) ChainNext[i] = static_cast<std::uint16_t>(i + 1);
    ChainNext[kWindowSize - 1] = 0;
    std::fill(ChainNext + kBucketBase, ChainNext + kChainEntries, std::uint16_t{0});
}

inline int LH5MatchTree::FindChild(int node, int c) {
    int r = ChainNext[Bucket(node, c)];
    // Entry 0 ends every chain; its parent is set so that the search stops there.
    NodeParent[0] = static_cast<std::uint16_t>(node);
    while (NodeParent[r] != node) r = ChainNext[r];
    return r;
}

inline void LH5MatchTree::AttachChild(int node, int c, int child) {
    const int bucket = Bucket(node, c);
    const int head = ChainNext[bucket];
    ChainNext[child] = static_cast<std::uint16_t>(head);
    ChainPrev[head] = static_cast<std::uint32_t>(child);
    ChainPrev[child] = static_cast<std::uint32_t>(bucket);
    ChainNext[bucket] = static_cast<std::uint16_t>(child);
    NodeParent[child] = static_cast<std::uint16_t>(node);
    ++NodeChildren[node];
}

inline void LH5MatchTree::Unlink(int entry) {
    const int prev = ChainPrev[entry];
    const int next = ChainNext[entry];
    ChainNext[prev] = static_cast<std::uint16_t>(next);
    ChainPrev[next] = static_cast<std::uint32_t>(prev);
}

inline void LH5MatchTree::TakePlace(int entry, int old) {
    const int prev = ChainPrev[old];
    ChainPrev[entry] = static_cast<std::uint32_t>(prev);
    ChainNext[prev] = static_cast<std::uint16_t>(entry);
    const int next = ChainNext[old];
    ChainNext[entry] = static_cast<std::uint16_t>(next);
    ChainPrev[next] = static_cast<std::uint32_t>(entry);
}

inline void LH5MatchTree::SplitNode(int old, int pos, const Match& match) {
    const int node = FreeNode;
    FreeNode = ChainNext[node];
    NodeChildren[node] = 0;
    TakePlace(node, old);
    NodeParent[node] = NodeParent[old];
    NodeDepth[node] = static_cast<std::uint8_t>(match.length);
    NodeRecent[node] = static_cast<std::uint16_t>(pos);
    AttachChild(node, Window[match.start + match.length], old);
    AttachChild(node, Window[pos + match.length], pos);
}

inline void LH5MatchTree::InsertPosition(int pos, Match& match) {
    int q = 0;
    int r = 0;
    if (match.length >= 4) {
        // The string at pos shares at least match.length - 1 bytes with the one
        // after the previous match: start from that leaf's deepest fitting ancestor.
        --match.length;
        r = (match.start + 1) | kWindowSize;
        // A leaf replaced by a newer equal string points to its successor.
        while (NodeParent[r] == 0) r = ChainNext[r];
        q = NodeParent[r];
        while (NodeDepth[q] >= match.length) {
            r = q;
            q = NodeParent[q];
        }
        // Pass the new position up through the pending values and leave it
        // pending at the first node that had none. Whether that node is a root,
        // which keeps its value, is chosen without a branch: which one it is
        // cannot be foretold, and a wrong guess costs more than the store.
        int t = q;
        int recent = NodeRecent[t];
        while ((recent & kPending) != 0) {
            NodeRecent[t] = static_cast<std::uint16_t>(pos);
            t = NodeParent[t];
            recent = NodeRecent[t];
        }
        NodeRecent[t] = static_cast<std::uint16_t>(t < kRoot ? pos | kPending : recent);
    } else {
        q = kRoot + Window[pos];
        const int c = Window[pos + 1];
        r = FindChild(q, c);
        if (r == 0) {
            AttachChild(q, c, pos);
            match.length = 1;
            return;
        }
        match.length = 2;
    }

    for (;;) {
        int depth = 0;
        if (r >= kWindowSize) {
            depth = kMaxMatch;
            match.start = r;
        } else {
            depth = NodeDepth[r];
            match.start = NodeRecent[r] & ~kPending;
        }
        match.start = Unwrap(match.start, pos);
        const std::uint8_t* here = Window + pos;
        const std::uint8_t* there = Window + match.start;
        while (match.length < depth) {
            if (here[match.length] != there[match.length]) {
                SplitNode(r, pos, match);
                return;
            }
            ++match.length;
        }
        if (match.length == kMaxMatch) break;
        NodeRecent[r] = static_cast<std::uint16_t>(pos);
        q = r;
        r = FindChild(q, here[match.length]);
        if (r == 0) {
            AttachChild(q, here[match.length], pos);
            return;
        }
        ++match.length;
    }

    // The string equals leaf r for a whole match: the new leaf takes its place,
    // and the old one points to it for insertions that still arrive through it.
    TakePlace(pos, r);
    NodeParent[pos] = static_cast<std::uint16_t>(q);
    NodeParent[r] = 0;
    ChainNext[r] = static_cast<std::uint16_t>(pos);
}

inline void LH5MatchTree::RemovePosition(int pos) {
    if (NodeParent[pos] == 0) return;
    Unlink(pos);
    const int r = NodeParent[pos];
    NodeParent[pos] = 0;
    --NodeChildren[r];
    if (r >= kRoot || NodeChildren[r] > 1) return;

    // r keeps one child and goes away. Its most recent position is passed up
    // through the pending values above it, keeping the newest at each node.
    const int t = Unwrap(NodeRecent[r] & ~kPending, pos);
    int s = t;
    int q = NodeParent[r];
    int u = 0;
    while (((u = NodeRecent[q]) & kPending) != 0) {
        u = Unwrap(u & ~kPending, pos);
        s = std::max(s, u);
        NodeRecent[q] = static_cast<std::uint16_t>(s | kWindowSize);
        q = NodeParent[q];
    }
    // The first node without a pending value takes the newest, pending; a root
    // keeps its own (chosen without a branch, as in InsertPosition).
    s = std::max(s, Unwrap(u, pos));
    NodeRecent[q] = static_cast<std::uint16_t>(q < kRoot ? s | kWindowSize | kPending : u);

    // The remaining child takes r's place under r's parent; r returns to the free list.
    const int child = FindChild(r, Window[t + NodeDepth[r]]);
    Unlink(child);
    TakePlace(child, r);
    NodeParent[child] = NodeParent[r];
    NodeParent[r] = 0;
    ChainNext[r] = static_cast<std::uint16_t>(FreeNode);
    FreeNode = r;
}

inline void LH5MatchTree::ReplacePosition(int pos, Match& match) {
    RemovePosition(pos);
    InsertPosition(pos, match);
}

}  // namespace tavlin::lh5
