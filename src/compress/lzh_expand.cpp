// ExpandLZH: decodes a coLZH (LZHUF) member until DestSize bytes exist. The
// stream has no end mark; a stream that runs out of bits before that is cut
// short, so decoding stops there and the frame's InputShort flag says so.
#include <algorithm>
#include <array>
#include <memory>

#include "compress/codec_frame.h"
#include "compress/lzh_symbol_reader.h"

namespace tavlin {

namespace {

constexpr int kWindowSize = 4096;
constexpr int kWindowMask = kWindowSize - 1;
constexpr int kFirstPosition = kWindowSize - kLzhLongestMatch;  // 4036

// The decoder's tables for one call, allocated as one block.
struct LzhDecoder {
    explicit LzhDecoder(TCompThreadSafety& frame) : reader(frame) {}
    LzhSymbolReader<TCompThreadSafety> reader;
    std::array<std::uint8_t, kWindowSize> Window{};
};

}  // namespace

void ExpandLZH(TCompThreadSafety& state, std::int32_t DestSize) {
    if (DestSize <= 0) return;
    const auto decoder = std::make_unique<LzhDecoder>(state);
    auto& window = decoder->Window;
    auto& reader = decoder->reader;
    std::fill(window.begin(), window.end(), std::uint8_t{0x20});
    int r = kFirstPosition;
    std::int32_t done = 0;
    while (done < DestSize) {
        const int c = reader.NextSymbol();
        if (c < 256) {
            if (reader.Overrun()) break;
            const auto b = static_cast<std::uint8_t>(c);
            state.EmitByte(b);
            window[r] = b;
            r = (r + 1) & kWindowMask;
            ++done;
        } else {
            const int d = reader.NextOffset();
            if (reader.Overrun()) break;
            const int src = r - d - 1;
            const int length = c - kLzhMatchSymbolBase;
            // Byte by byte: the source may overlap the bytes being written.
            for (int k = 0; k < length; ++k) {
                const std::uint8_t b = window[(src + k) & kWindowMask];
                state.EmitByte(b);
                window[r] = b;
                r = (r + 1) & kWindowMask;
                ++done;
            }
        }
    }
    if (reader.Overrun()) state.InputShort = true;
}

}  // namespace tavlin
