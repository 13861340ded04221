// The coLZH encoder's match finder: insertion with the best-match search, and
// deletion that keeps every node's shared-prefix length right.
#include "compress/lzh_match_tree.h"

namespace tavlin {

void TLzhMatchTree::Reset() {
    for (int i = kRootBase; i < kRootBase + kRootCount; ++i) TreeGreater[i] = NIL;
    for (int i = 0; i < kWindowSize; ++i) TreeUp[i] = NIL;
}

int TLzhMatchTree::RootOf(int r) const {
    const int x = Window[r + 1] ^ Window[r + 2];
    const int h = (x ^ (x >> 4)) & 15;
    return kRootBase + Window[r] + 256 * h;
}

void TLzhMatchTree::Relink(int p, int x) {
    const int parent = TreeUp[p];
    // A root has only a greater-side child.
    if (TreeGreater[parent] == p) {
        TreeGreater[parent] = static_cast<std::int16_t>(x);
    } else {
        TreeLess[parent] = static_cast<std::int16_t>(x);
    }
}

void TLzhMatchTree::InsertString(int r) {
    TreeLess[r] = TreeGreater[r] = NIL;
    const std::uint8_t* key = &Window[r];
    int p = RootOf(r);
    int cmp = 1;
    int i = 1;
    BestLength = 0;
    for (;;) {
        if (cmp >= 0) {
            if (TreeGreater[p] == NIL) {
                TreeGreater[p] = static_cast<std::int16_t>(r);
                TreeUp[r] = static_cast<std::int16_t>(p);
                SharedPrefix[r] = static_cast<std::uint8_t>(i);
                return;
            }
            p = TreeGreater[p];
        } else {
            if (TreeLess[p] == NIL) {
                TreeLess[p] = static_cast<std::int16_t>(r);
                TreeUp[r] = static_cast<std::int16_t>(p);
                SharedPrefix[r] = static_cast<std::uint8_t>(i);
                return;
            }
            p = TreeLess[p];
        }
        // key shares i bytes with p's parent, and p shares sp bytes with it.
        const int sp = SharedPrefix[p];
        if (i > sp) {
            i = sp;
            cmp = key[i] - Window[p + i];
        } else if (i == sp) {
            while (i < kStringLength) {
                cmp = key[i] - Window[p + i];
                if (cmp != 0) break;
                ++i;
            }
        }
        // With i < sp, key differs from p where it differs from the parent.
        if (i <= 2) continue;
        const int dist = ((r - p) & (kWindowSize - 1)) - 1;
        if (i > BestLength) {
            BestOffset = dist;
            BestLength = i;
            if (i >= kStringLength) break;
        } else if (i == BestLength && dist < BestOffset) {
            BestOffset = dist;
        }
    }
    // The new string equals p for all 60 bytes: it takes p's place, which keeps
    // the trees short on long runs.
    SharedPrefix[r] = SharedPrefix[p];
    TreeUp[r] = TreeUp[p];
    TreeLess[r] = TreeLess[p];
    TreeGreater[r] = TreeGreater[p];
    TreeUp[TreeLess[p]] = static_cast<std::int16_t>(r);
    TreeUp[TreeGreater[p]] = static_cast<std::int16_t>(r);
    Relink(p, r);
    TreeUp[p] = NIL;
}

void TLzhMatchTree::ComputeShared(int k, int p, int x) {
    if (p >= kWindowSize) {
        SharedPrefix[x] = 1;
        return;
    }
    int j = k;
    while (j < kStringLength && Window[p + j] == Window[x + j]) ++j;
    SharedPrefix[x] = static_cast<std::uint8_t>(j);
}

void TLzhMatchTree::FixShared(int q, int p, int x) {
    const int a = SharedPrefix[p];
    const int b = SharedPrefix[x];
    if (a == b) {
        ComputeShared(a, q, x);
    } else if (a < b) {
        SharedPrefix[x] = static_cast<std::uint8_t>(a);
    }
}

void TLzhMatchTree::DeleteString(int p) {
    if (TreeUp[p] == NIL) return;
    int q;
    if (TreeGreater[p] == NIL) {
        q = TreeLess[p];
        if (q != NIL) FixShared(TreeUp[p], p, q);
    } else if (TreeLess[p] == NIL) {
        q = TreeGreater[p];
        FixShared(TreeUp[p], p, q);
    } else {
        q = TreeLess[p];
        if (TreeGreater[q] != NIL) {
            // The rightmost node of p's left subtree takes p's place.
            do q = TreeGreater[q];
            while (TreeGreater[q] != NIL);
            if (TreeLess[q] != NIL) FixShared(TreeUp[q], q, TreeLess[q]);
            ComputeShared(1, q, TreeLess[p]);
            TreeGreater[TreeUp[q]] = TreeLess[q];
            TreeUp[TreeLess[q]] = TreeUp[q];
            TreeLess[q] = TreeLess[p];
            TreeUp[TreeLess[p]] = static_cast<std::int16_t>(q);
        }
        ComputeShared(1, TreeUp[p], q);
        ComputeShared(1, q, TreeGreater[p]);
        TreeGreater[q] = TreeGreater[p];
        TreeUp[TreeGreater[p]] = static_cast<std::int16_t>(q);
    }
    TreeUp[q] = TreeUp[p];
    Relink(p, q);
    TreeUp[p] = NIL;
}

}  // namespace tavlin
