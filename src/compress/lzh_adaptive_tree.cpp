// The coLZH adaptive Huffman tree: setup, update after each symbol, rebuild.
#include "compress/lzh_adaptive_tree.h"

#include <algorithm>

namespace tavlin {

namespace {

constexpr std::uint16_t kRebuildCount = 0x8000;

void SetParentOfChildren(TAdaptiveTree& tree, int child, int parent) {
    tree.Parent[child] = static_cast<std::int16_t>(parent);
    if (child < kLzhNodeCount) tree.Parent[child + 1] = static_cast<std::int16_t>(parent);
}

}  // namespace

void InitAdaptiveTree(TAdaptiveTree& tree) {
    for (int s = 0; s < kLzhSymbolCount; ++s) {
        tree.Freq[s] = 1;
        tree.Child[s] = static_cast<std::int16_t>(kLzhNodeCount + s);
        tree.Parent[kLzhNodeCount + s] = static_cast<std::int16_t>(s);
    }
    int i = 0;
    for (int j = kLzhSymbolCount; j < kLzhNodeCount; ++j, i += 2) {
        tree.Freq[j] = static_cast<std::uint16_t>(tree.Freq[i] + tree.Freq[i + 1]);
        tree.Child[j] = static_cast<std::int16_t>(i);
        tree.Parent[i] = tree.Parent[i + 1] = static_cast<std::int16_t>(j);
    }
    tree.Freq[kLzhNodeCount] = 0xFFFF;
    tree.Parent[kLzhRoot] = 0;
}

void RebuildAdaptiveTree(TAdaptiveTree& tree) {
    // Gather the leaves at the front, halving their counts (rounding up).
    int j = 0;
    for (int i = 0; i < kLzhNodeCount; ++i) {
        if (tree.Child[i] >= kLzhNodeCount) {
            tree.Freq[j] = static_cast<std::uint16_t>((tree.Freq[i] + 1) / 2);
            tree.Child[j] = tree.Child[i];
            ++j;
        }
    }
    // Join pairs into inner nodes, each placed after all nodes of equal count.
    // The nodes placed so far stay in order of their counts, so the place is
    // found by halving rather than by a scan.
    int i = 0;
    for (j = kLzhSymbolCount; j < kLzhNodeCount; ++j, i += 2) {
        const auto f = static_cast<std::uint16_t>(tree.Freq[i] + tree.Freq[i + 1]);
        const auto place = std::upper_bound(tree.Freq.begin(), tree.Freq.begin() + j, f);
        const auto k = static_cast<int>(place - tree.Freq.begin());
        std::copy_backward(tree.Freq.begin() + k, tree.Freq.begin() + j, tree.Freq.begin() + j + 1);
        std::copy_backward(tree.Child.begin() + k, tree.Child.begin() + j, tree.Child.begin() + j + 1);
        tree.Freq[k] = f;
        tree.Child[k] = static_cast<std::int16_t>(i);
    }
    for (i = 0; i < kLzhNodeCount; ++i) SetParentOfChildren(tree, tree.Child[i], i);
}

int UpdateAdaptiveTree(TAdaptiveTree& tree, int s) {
    int changed = -1;
    if (tree.Freq[kLzhRoot] == kRebuildCount) {
        RebuildAdaptiveTree(tree);
        changed = kLzhNodeCount;
    }
    int c = tree.Parent[kLzhNodeCount + s];
    do {
        const std::uint16_t k = ++tree.Freq[c];
        if (k > tree.Freq[c + 1]) {
            // Swap c with the last node whose count is still below k; the sentinel
            // stops the search.
            int l = c + 1;
            while (k > tree.Freq[l + 1]) ++l;
            tree.Freq[c] = tree.Freq[l];
            tree.Freq[l] = k;
            const int i = tree.Child[c];
            SetParentOfChildren(tree, i, l);
            const int j = tree.Child[l];
            tree.Child[l] = static_cast<std::int16_t>(i);
            SetParentOfChildren(tree, j, c);
            tree.Child[c] = static_cast<std::int16_t>(j);
            // Each swap lies higher than the one before.
            changed = std::max(changed, l);
            c = l;
        }
        c = tree.Parent[c];
    } while (c != 0);
    return changed;
}

}  // namespace tavlin
