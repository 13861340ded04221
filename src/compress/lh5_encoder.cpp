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

    // Everything the loop calls per position is inlined into it.
    [[gnu::flatten]] void Run() {
        LH5MatchTree& tree = tree_;
        tree.Reset();
        // The first fill loads 8192 bytes behind a gap of 256, so the first slide
        // comes after 7936 positions; the gap is never read before it.
        constexpr int kFirstFill = lh5::kWindowSize + lh5::kMaxMatch;
        tree.CurPos = kFirstFill;
        lookaheadLeft_ = frame_.FetchBytes(tree.Window + kFirstFill, lh5::kWindowSize);
        std::fill(tree.Window + kFirstFill + lookaheadLeft_, tree.Window + kFirstFill + lh5::kWindowSize,
                  lh5::kWindowFill);
        if (lookaheadLeft_ == 0) return;

        tree.MatchStart = 0;
        tree.MatchLength = 0;
        tree.InsertPosition();
        while (lookaheadLeft_ > 0) {
            const int lastLength = tree.MatchLength;
            const int lastStart = tree.MatchStart;
            AdvanceMatch();
            ClampMatch();
            if (tree.MatchLength > lastLength || lastLength < lh5::kMinMatch) {
                writer_.BufferSymbol(tree.Window[tree.CurPos - 1], 0);
            } else {
                // The match found at the previous position; positions are taken
                // modulo the window size, which also covers a slide in between.
                const auto distanceValue = static_cast<unsigned>(tree.CurPos - lastStart - 2) & lh5::kWindowMask;
                writer_.BufferSymbol(static_cast<unsigned>(lastLength + lh5::kMatchSymbolOffset), distanceValue);
                for (int k = lastLength - 1; k > 0; --k) AdvanceMatch();
                ClampMatch();
            }
        }
        writer_.Finish();
    }

private:
    // A match never reaches past the real input.
    void ClampMatch() {
        if (tree_.MatchLength > lookaheadLeft_) tree_.MatchLength = lookaheadLeft_;
    }

    // Moves to the next position, sliding the window when it reaches the end.
    void AdvanceMatch() {
        LH5MatchTree& tree = tree_;
        --lookaheadLeft_;
        if (++tree.CurPos == 2 * lh5::kWindowSize) {
            // Stored tree positions are not renumbered: one at or past CurPos now
            // stands for a position one window earlier.
            constexpr int kKeep = lh5::kWindowSize + lh5::kMaxMatch;
            std::memmove(tree.Window, tree.Window + lh5::kWindowSize, kKeep);
            const int fetched = frame_.FetchBytes(tree.Window + kKeep, lh5::kWindowSize);
            lookaheadLeft_ += fetched;
            // The first place past the end of the input receives the filler 0.
            if (fetched < lh5::kWindowSize) tree.Window[kKeep + fetched] = 0;
            tree.CurPos = lh5::kWindowSize;
        }
        tree.ReplacePosition();
    }

    TCompThreadSafety& frame_;
    LH5MatchTree tree_;
    lh5::LH5BlockWriter writer_;
    int lookaheadLeft_ = 0;
};

}  // namespace

void CompressLH5(TCompThreadSafety& state) {
    // The tree, window and block buffers live for this call only.
    auto encoder = std::make_unique<LH5Encoder>(state);
    encoder->Run();
}

}  // namespace tavlin
