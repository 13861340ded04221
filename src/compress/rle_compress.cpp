// CompressRLE: writes runs of 3 to 255 equal bytes as the byte, the marker and
// the count; shorter runs stay literals and the marker byte itself is escaped.
#include "compress/codec_frame.h"
#include "compress/rle_format.h"

namespace tavlin {

namespace {

// A run of n bytes whose first byte is already out: the marker and n for a real
// run (n = 0 escapes the marker), or the missing copies for runs of one or two.
void EmitRun(TCompThreadSafety& state, std::int32_t n, std::uint8_t c) {
    if (n == 0 || n > 2) {
        state.EmitByte(RLEMarker);
        state.EmitByte(static_cast<std::uint8_t>(n));
    } else {
        for (std::int32_t i = 1; i < n; ++i) state.EmitByte(c);
    }
}

}  // namespace

void CompressRLE(TCompThreadSafety& state) {
    for (;;) {
        const std::uint8_t b = state.FetchByte();
        if (state.InputEnded) {
            if (state.InRun) EmitRun(state, state.RunCount, state.LastByte);
            return;
        }
        if (state.InRun) {
            if (b == state.LastByte && state.RunCount < kLongestRLERun) {
                ++state.RunCount;
            } else {
                EmitRun(state, state.RunCount, state.LastByte);
                state.LastByte = b;
                if (b == RLEMarker) {
                    EmitRun(state, 0, RLEMarker);
                } else {
                    state.EmitByte(b);
                }
                state.InRun = false;
            }
        } else {
            if (b == RLEMarker) {
                EmitRun(state, 0, b);
            } else if (b == state.LastByte && !state.FirstByte) {
                // The first byte of the run is already out as a literal.
                state.RunCount = 2;
                state.InRun = true;
            } else {
                state.EmitByte(b);
            }
            state.LastByte = b;
        }
        state.FirstByte = false;
    }
}

}  // namespace tavlin
