// ExpandLH5: decodes an -lh5- stream (LZ77 with static Huffman blocks over an
// 8192-byte window) from the frame's input into DestSize bytes of output, or
// fewer when the stream ends first.
#include <memory>

#include "compress/codec_frame.h"
#include "compress/lh5_decoder_state.h"

namespace tavlin {

void ExpandLH5(TCompThreadSafety& state, std::int32_t DestSize) {
    if (DestSize == 0) return;
    // The tables and the window live for this call only.
    auto decoder = std::make_unique<lh5::LH5DecoderState>(state);
    decoder->reader.Start();
    lh5::DecodeSymbols(*decoder, DestSize);
    decoder->output.EmitPending();
    // Valid data ends within its last byte; using bits past it means the member
    // was cut short, even if its checksum happened to match.
    if (decoder->reader.ReadPastEnd()) state.InputShort = true;
}

}  // namespace tavlin
