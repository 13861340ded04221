// Huffman code construction for the LH5 encoder's blocks.
#include "compress/lh5_huffman_builder.h"

#include <algorithm>
#include <iterator>

namespace tavlin::lh5 {

int LH5HuffmanBuilder::Build(int n, std::uint16_t* freq, std::uint8_t* len, std::uint16_t* code) {
    n_ = n;
    len_ = len;
    code_ = code;
    int avail = n;
    heapSize_ = 0;
    heap_[1] = 0;
    for (int i = 0; i < n; ++i) {
        len[i] = 0;
        if (freq[i] != 0) heap_[++heapSize_] = Entry(freq[i], i);
    }
    if (heapSize_ < 2) {
        code[SymbolOf(heap_[1])] = 0;
        return SymbolOf(heap_[1]);
    }
    for (int i = heapSize_ / 2; i >= 1; --i) HeapDown(i);

    // code[] doubles as the list of leaves in the order they leave the heap, so
    // the least frequent come first and get the longest codes.
    int sorted = 0;
    int k = 0;
    do {
        const int i = SymbolOf(heap_[1]);
        if (i < n) code[sorted++] = static_cast<std::uint16_t>(i);
        heap_[1] = heap_[heapSize_--];
        HeapDown(1);
        const int j = SymbolOf(heap_[1]);
        if (j < n) code[sorted++] = static_cast<std::uint16_t>(j);
        k = avail++;
        freq[k] = static_cast<std::uint16_t>(freq[i] + freq[j]);
        heap_[1] = Entry(freq[k], k);
        HeapDown(1);
        left_[k] = static_cast<std::uint16_t>(i);
        right_[k] = static_cast<std::uint16_t>(j);
    } while (heapSize_ > 1);

    LimitLengths(k);
    AssignCodes();
    return k;
}

// A min-heap on the counts; on equal counts the left child is taken and an
// entry stops above its equals.
void LH5HuffmanBuilder::HeapDown(int i) {
    const std::uint32_t k = heap_[i];
    while (2 * i <= heapSize_) {
        int j = 2 * i;
        if (j < heapSize_ && CountOf(heap_[j]) > CountOf(heap_[j + 1])) ++j;
        if (CountOf(k) <= CountOf(heap_[j])) break;
        heap_[i] = heap_[j];
        i = j;
    }
    heap_[i] = k;
}

void LH5HuffmanBuilder::CountDepths(int node, int depth) {
    if (node < n_) {
        ++depthCount_[std::min(depth, kMaxCodeLength)];
        return;
    }
    CountDepths(left_[node], depth + 1);
    CountDepths(right_[node], depth + 1);
}

void LH5HuffmanBuilder::LimitLengths(int root) {
    std::fill(std::begin(depthCount_), std::end(depthCount_), std::uint16_t{0});
    CountDepths(root, 0);
    // A code within 16 bits fills exactly 2^16, which is 0 in 16 bits; what is left
    // is the excess from leaves counted at 16 although they sat deeper.
    std::uint16_t cum = 0;
    for (int i = 1; i <= kMaxCodeLength; ++i) {
        cum = static_cast<std::uint16_t>(cum + (depthCount_[i] << (kMaxCodeLength - i)));
    }
    if (cum != 0) {
        depthCount_[kMaxCodeLength] = static_cast<std::uint16_t>(depthCount_[kMaxCodeLength] - cum);
        for (int moves = cum; moves > 0; --moves) {
            // Split the deepest leaf above 16 into two one level deeper.
            for (int i = kMaxCodeLength - 1; i > 0; --i) {
                if (depthCount_[i] != 0) {
                    --depthCount_[i];
                    depthCount_[i + 1] = static_cast<std::uint16_t>(depthCount_[i + 1] + 2);
                    break;
                }
            }
        }
    }
    const std::uint16_t* next = code_;
    for (int i = kMaxCodeLength; i > 0; --i) {
        for (int k = depthCount_[i]; k > 0; --k) len_[*next++] = static_cast<std::uint8_t>(i);
    }
}

void LH5HuffmanBuilder::AssignCodes() {
    std::uint16_t start[kMaxCodeLength + 1] = {};
    for (int i = 1; i < kMaxCodeLength; ++i) {
        start[i + 1] = static_cast<std::uint16_t>(start[i] + (depthCount_[i] << (kMaxCodeLength - i)));
    }
    for (int c = 0; c < n_; ++c) {
        const int length = len_[c];
        code_[c] = start[length];
        start[length] = static_cast<std::uint16_t>(start[length] + (1u << (kMaxCodeLength - length)));
    }
}

}  // namespace tavlin::lh5
