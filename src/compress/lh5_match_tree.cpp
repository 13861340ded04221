// Insertion and removal in the LH5 encoder's suffix tree.
#include "compress/lh5_match_tree.h"

#include <algorithm>

namespace tavlin::lh5 {

void LH5MatchTree::Reset() {
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

int LH5MatchTree::FindChild(int node, int c) {
    int r = ChainNext[Bucket(node, c)];
    // Entry 0 ends every chain; its parent is set so that the search stops there.
    NodeParent[0] = static_cast<std::uint16_t>(node);
    while (NodeParent[r] != node) r = ChainNext[r];
    return r;
}

void LH5MatchTree::AttachChild(int node, int c, int child) {
    const int bucket = Bucket(node, c);
    const int head = ChainNext[bucket];
    ChainNext[child] = static_cast<std::uint16_t>(head);
    ChainPrev[head] = static_cast<std::uint16_t>(child);
    ChainPrev[child] = static_cast<std::uint16_t>(bucket);
    ChainNext[bucket] = static_cast<std::uint16_t>(child);
    NodeParent[child] = static_cast<std::uint16_t>(node);
    ++NodeChildren[node];
}

void LH5MatchTree::Unlink(int entry) {
    const int prev = ChainPrev[entry];
    const int next = ChainNext[entry];
    ChainNext[prev] = static_cast<std::uint16_t>(next);
    ChainPrev[next] = static_cast<std::uint16_t>(prev);
}

void LH5MatchTree::TakePlace(int entry, int old) {
    const int prev = ChainPrev[old];
    ChainPrev[entry] = static_cast<std::uint16_t>(prev);
    ChainNext[prev] = static_cast<std::uint16_t>(entry);
    const int next = ChainNext[old];
    ChainNext[entry] = static_cast<std::uint16_t>(next);
    ChainPrev[next] = static_cast<std::uint16_t>(entry);
}

void LH5MatchTree::SplitNode(int old) {
    const int node = FreeNode;
    FreeNode = ChainNext[node];
    NodeChildren[node] = 0;
    TakePlace(node, old);
    NodeParent[node] = NodeParent[old];
    NodeDepth[node] = static_cast<std::uint8_t>(MatchLength);
    NodeRecent[node] = static_cast<std::uint16_t>(CurPos);
    AttachChild(node, Window[MatchStart + MatchLength], old);
    AttachChild(node, Window[CurPos + MatchLength], CurPos);
}

void LH5MatchTree::InsertPosition() {
    int q = 0;
    int r = 0;
    if (MatchLength >= 4) {
        // The string at CurPos shares at least MatchLength - 1 bytes with the one
        // after the previous match: start from that leaf's deepest fitting ancestor.
        --MatchLength;
        r = (MatchStart + 1) | kWindowSize;
        // A leaf replaced by a newer equal string points to its successor.
        while (NodeParent[r] == 0) r = ChainNext[r];
        q = NodeParent[r];
        while (NodeDepth[q] >= MatchLength) {
            r = q;
            q = NodeParent[q];
        }
        // Pass the new position up through the pending values and leave it
        // pending at the first node that had none.
        int t = q;
        while ((NodeRecent[t] & kPending) != 0) {
            NodeRecent[t] = static_cast<std::uint16_t>(CurPos);
            t = NodeParent[t];
        }
        if (t < kRoot) NodeRecent[t] = static_cast<std::uint16_t>(CurPos | kPending);
    } else {
        q = kRoot + Window[CurPos];
        const int c = Window[CurPos + 1];
        r = FindChild(q, c);
        if (r == 0) {
            AttachChild(q, c, CurPos);
            MatchLength = 1;
            return;
        }
        MatchLength = 2;
    }

    for (;;) {
        int depth = 0;
        if (r >= kWindowSize) {
            depth = kMaxMatch;
            MatchStart = r;
        } else {
            depth = NodeDepth[r];
            MatchStart = NodeRecent[r] & ~kPending;
        }
        MatchStart = Unwrap(MatchStart);
        const std::uint8_t* here = Window + CurPos;
        const std::uint8_t* there = Window + MatchStart;
        while (MatchLength < depth) {
            if (here[MatchLength] != there[MatchLength]) {
                SplitNode(r);
                return;
            }
            ++MatchLength;
        }
        if (MatchLength == kMaxMatch) break;
        NodeRecent[r] = static_cast<std::uint16_t>(CurPos);
        q = r;
        r = FindChild(q, here[MatchLength]);
        if (r == 0) {
            AttachChild(q, here[MatchLength], CurPos);
            return;
        }
        ++MatchLength;
    }

    // The string equals leaf r for a whole match: the new leaf takes its place,
    // and the old one points to it for insertions that still arrive through it.
    TakePlace(CurPos, r);
    NodeParent[CurPos] = static_cast<std::uint16_t>(q);
    NodeParent[r] = 0;
    ChainNext[r] = static_cast<std::uint16_t>(CurPos);
}

void LH5MatchTree::RemovePosition() {
    if (NodeParent[CurPos] == 0) return;
    Unlink(CurPos);
    const int r = NodeParent[CurPos];
    NodeParent[CurPos] = 0;
    --NodeChildren[r];
    if (r >= kRoot || NodeChildren[r] > 1) return;

    // r keeps one child and goes away. Its most recent position is passed up
    // through the pending values above it, keeping the newest at each node.
    const int t = Unwrap(NodeRecent[r] & ~kPending);
    int s = t;
    int q = NodeParent[r];
    int u = 0;
    while (((u = NodeRecent[q]) & kPending) != 0) {
        u = Unwrap(u & ~kPending);
        s = std::max(s, u);
        NodeRecent[q] = static_cast<std::uint16_t>(s | kWindowSize);
        q = NodeParent[q];
    }
    if (q < kRoot) {
        u = Unwrap(u);
        s = std::max(s, u);
        NodeRecent[q] = static_cast<std::uint16_t>(s | kWindowSize | kPending);
    }

    // The remaining child takes r's place under r's parent; r returns to the free list.
    const int child = FindChild(r, Window[t + NodeDepth[r]]);
    Unlink(child);
    TakePlace(child, r);
    NodeParent[child] = NodeParent[r];
    NodeParent[r] = 0;
    ChainNext[r] = static_cast<std::uint16_t>(FreeNode);
    FreeNode = r;
}

// Called for every input position, so the calls inside are worth inlining.
[[gnu::flatten]] void LH5MatchTree::ReplacePosition() {
    RemovePosition();
    InsertPosition();
}

}  // namespace tavlin::lh5
