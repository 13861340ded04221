// CompressLH5: turns the frame's input into an -lh5- stream. A suffix-tree match
// finder feeds a parser with one step of lazy matching (a match is taken only if
// the next position does not start a longer one); the block writer codes the
// result with Huffman codes fitted to each block.
#include <algorithm>
#include <cstring>
#include <memory>

#include "compress/codec_frame.h"
#include "compress/lh5_block_writer.h"
#include "compress/lh5_match_tree.h"

namespace tavlin {

namespace {

using lh5::LH5MatchTree;

class LH5Encoder {
public:
    explicit LH5Encoder(TCompThreadSafety& frame) : frame_(frame), writer_(frame) {}

    // Everything the loop calls per position is inlined into it. The position,
    // the match and the input left are locals, so they stay in registers.
    [[gnu::flatten]] void Run() {
        LH5MatchTree& tree = tree_;
        tree.Reset();
        // The first fill loads 8192 bytes behind a gap of 256, so the first slide
        // comes after 7936 positions; the gap is never read before it.
        constexpr int kFirstFill = lh5::kWindowSize + lh5::kMaxMatch;
        int pos = kFirstFill;
        int lookaheadLeft = frame_.FetchBytes(tree.Window + kFirstFill, lh5::kWindowSize);
        std::fill(tree.Window + kFirstFill + lookaheadLeft, tree.Window + kFirstFill + lh5::kWindowSize,
                  lh5::kWindowFill);
        if (lookaheadLeft == 0) return;

        LH5MatchTree::Match match;
        tree.InsertPosition(pos, match);
        while (lookaheadLeft > 0) {
            const LH5MatchTree::Match last = match;
            AdvanceMatch(pos, match, lookaheadLeft);
            ClampMatch(match, lookaheadLeft);
            if (match.length > last.length || last.length < lh5::kMinMatch) {
                writer_.BufferSymbol(tree.Window[pos - 1], 0);
            } else {
                // The match found at the previous position; positions are taken
                // modulo the window size, which also covers a slide in between.
                const auto distanceValue = static_cast<unsigned>(pos - last.start - 2) & lh5::kWindowMask;
                writer_.BufferSymbol(static_cast<unsigned>(last.length + lh5::kMatchSymbolOffset), distanceValue);
                for (int k = last.length - 1; k > 0; --k) AdvanceMatch(pos, match, lookaheadLeft);
                ClampMatch(match, lookaheadLeft);
            }
        }
        writer_.Finish();
    }

private:
    // A match never reaches past the real input.
    static void ClampMatch(LH5MatchTree::Match& match, int lookaheadLeft) {
        if (match.length > lookaheadLeft) match.length = lookaheadLeft;
    }

    // Moves to the next position, sliding the window when it reaches the end.
    void AdvanceMatch(int& pos, LH5MatchTree::Match& match, int& lookaheadLeft) {
        LH5MatchTree& tree = tree_;
        --lookaheadLeft;
        if (++pos == 2 * lh5::kWindowSize) {
            // Stored tree positions are not renumbered: one at or past pos now
            // stands for a position one window earlier.
            constexpr int kKeep = lh5::kWindowSize + lh5::kMaxMatch;
            std::memmove(tree.Window, tree.Window + lh5::kWindowSize, kKeep);
            const int fetched = frame_.FetchBytes(tree.Window + kKeep, lh5::kWindowSize);
            lookaheadLeft += fetched;
            // The first place past the end of the input receives the filler 0.
            if (fetched < lh5::kWindowSize) tree.Window[kKeep + fetched] = 0;
            pos = lh5::kWindowSize;
        }
        tree.ReplacePosition(pos, match);
    }

    TCompThreadSafety& frame_;
    LH5MatchTree tree_;
    lh5::LH5BlockWriter writer_;
};

}  // namespace

void CompressLH5(TCompThreadSafety& state) {
    // The tree, window and block buffers live for this call only.
    auto encoder = std::make_unique<LH5Encoder>(state);
    encoder->Run();
}

}  // namespace tavlin
