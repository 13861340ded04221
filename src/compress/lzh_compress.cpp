// CompressLZH: LZ77 over a 4096-byte window with matches of 3 to 60 bytes,
// coded with the adaptive tree and the fixed offset code that ExpandLZH reads.
// s is the oldest window position (overwritten next) and r the current one;
// r - s is always 4036 modulo 4096.
#include <algorithm>
#include <memory>

#include "compress/codec_frame.h"
#include "compress/lzh_match_tree.h"
#include "compress/lzh_symbol_writer.h"

namespace tavlin {

namespace {

constexpr int kWindowSize = TLzhMatchTree::kWindowSize;
constexpr int kWindowMask = kWindowSize - 1;
constexpr int kLookahead = TLzhMatchTree::kStringLength;
constexpr int kFirstPosition = kWindowSize - kLookahead;  // 4036

// The encoder's tables for one call, allocated as one block.
struct LzhEncoder {
    explicit LzhEncoder(TCompThreadSafety& frame) : writer(frame) {}
    LzhSymbolWriter<TCompThreadSafety> writer;
    TLzhMatchTree tree;
};

}  // namespace

void CompressLZH(TCompThreadSafety& state) {
    const auto encoder = std::make_unique<LzhEncoder>(state);
    auto& writer = encoder->writer;
    auto& tree = encoder->tree;
    auto& window = tree.Window;
    tree.Reset();
    // Spaces throughout, also where short input leaves the lookahead unfilled,
    // so that the choice among equal matches, and with it the output, is fixed.
    std::fill(window.begin(), window.end(), std::uint8_t{0x20});

    int s = 0;
    int r = kFirstPosition;
    int len = 0;
    while (len < kLookahead) {
        const std::uint8_t c = state.FetchByte();
        if (state.InputEnded) break;
        window[r + len] = c;
        ++len;
    }
    if (len == 0) return;
    for (int i = 1; i <= kLookahead; ++i) tree.InsertString(r - i);
    tree.InsertString(r);

    do {
        if (tree.BestLength > len) tree.BestLength = len;
        if (tree.BestLength < kLzhShortestMatch) {
            tree.BestLength = 1;
            writer.PutSymbol(window[r]);
        } else {
            writer.PutSymbol(tree.BestLength + kLzhMatchSymbolBase);
            writer.PutOffset(tree.BestOffset);
        }
        const int last = tree.BestLength;
        int i = 0;
        for (; i < last; ++i) {
            const std::uint8_t c = state.FetchByte();
            if (state.InputEnded) break;
            tree.DeleteString(s);
            window[s] = c;
            if (s < kLookahead - 1) window[s + kWindowSize] = c;
            s = (s + 1) & kWindowMask;
            r = (r + 1) & kWindowMask;
            tree.InsertString(r);
        }
        // The input has ended: the lookahead only shrinks from here on.
        while (i < last) {
            ++i;
            tree.DeleteString(s);
            s = (s + 1) & kWindowMask;
            r = (r + 1) & kWindowMask;
            if (--len > 0) tree.InsertString(r);
        }
    } while (len > 0);
    writer.Flush();
}

}  // namespace tavlin
