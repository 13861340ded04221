// ExpandRLE: turns coRLE items back into bytes until the input ends. The number
// of bytes written follows the items alone; the caller compares it with the
// member's size.
#include "compress/codec_frame.h"
#include "compress/rle_format.h"

namespace tavlin {

void ExpandRLE(TCompThreadSafety& state) {
    for (;;) {
        const std::uint8_t b = state.FetchByte();
        if (state.InputEnded) return;
        if (b != RLEMarker) {
            state.EmitByte(b);
        } else {
            // A marker at the very end reads the filler 0 and so stands for one 0x94.
            const std::uint8_t n = state.FetchByte();
            state.RunCount = n;
            if (n == 0) {
                state.EmitByte(RLEMarker);
            } else {
                for (int i = 1; i < n; ++i) state.EmitByte(state.LastByte);
            }
        }
        state.LastByte = b;
    }
}

}  // namespace tavlin
