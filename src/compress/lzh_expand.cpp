// ExpandLZH: decodes a coLZH (LZHUF) member until DestSize bytes exist. The
// stream has no end mark; a stream that runs out of bits before that is cut
// short, so decoding stops there and the frame's InputShort flag says so.
#include <memory>

#include "compress/codec_frame.h"
#include "compress/lh5_output_window.h"
#include "compress/lzh_symbol_reader.h"

namespace tavlin {

namespace {

// The decoder's tables for one call, allocated as one block. The LH5 decoder's
// straight window serves here too: it keeps 8192 bytes of history, more than the
// 4096 a coLZH match reaches back, starts filled with spaces as this window
// must, and hands the decoded bytes to the frame in runs instead of one by one.
struct LzhDecoder {
    explicit LzhDecoder(TCompThreadSafety& frame) : reader(frame), output(frame) {}
    LzhSymbolReader<TCompThreadSafety> reader;
    lh5::LH5OutputWindow output;
};

static_assert(lh5::LH5OutputWindow::kHistory >= 4096 && lh5::LH5OutputWindow::kSlack >= kLzhLongestMatch + 8);

}  // namespace

void ExpandLZH(TCompThreadSafety& state, std::int32_t DestSize) {
    if (DestSize <= 0) return;
    const auto decoder = std::make_unique<LzhDecoder>(state);
    auto& reader = decoder->reader;
    auto& output = decoder->output;
    std::uint8_t* const window = output.Data();
    constexpr int kSlidePoint = lh5::LH5OutputWindow::SlidePoint();
    std::int64_t done = 0;
    while (done < DestSize && !reader.Overrun()) {
        if (output.Position() >= kSlidePoint) output.Slide();
        int pos = output.Position();
        while (done < DestSize && pos < kSlidePoint) {
            const int c = reader.NextSymbol();
            if (c < 256) {
                if (reader.Overrun()) break;
                window[pos++] = static_cast<std::uint8_t>(c);
                ++done;
            } else {
                const int distance = reader.NextOffset() + 1;
                if (reader.Overrun()) break;
                const int length = c - kLzhMatchSymbolBase;
                // The source may overlap the bytes being written; the copy repeats them.
                lh5::CopyMatch(window + pos, distance, length);
                pos += length;
                done += length;
            }
        }
        output.SetPosition(pos);
    }
    output.EmitPending();
    if (reader.Overrun()) state.InputShort = true;
}

}  // namespace tavlin
