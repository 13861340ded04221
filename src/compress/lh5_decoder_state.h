// The state of one LH5 decoding run, shared by the block header reader, the
// symbol loop and ExpandLH5, which creates it for one call.
#pragma once

#include <cstdint>

#include "compress/codec_frame.h"
#include "compress/lh5_bit_reader.h"
#include "compress/lh5_decode_table.h"
#include "compress/lh5_output_window.h"

namespace tavlin::lh5 {

struct LH5DecoderState {
    explicit LH5DecoderState(TCompThreadSafety& frame) : output(frame), reader(frame, output) {}

    LH5DecodeTables tables;
    LH5OutputWindow output;
    LH5BitReader reader;
    // Symbols left in the current block; 0 means the next symbol starts a block.
    std::uint32_t blockLeft = 0;
};

// Reads a block header: the block's symbol count and its three codes.
void ReadBlockHeader(LH5DecoderState& state);

// Decodes symbols until at least destSize bytes exist (a last match is copied
// whole, so the output may run past destSize).
void DecodeSymbols(LH5DecoderState& state, std::int64_t destSize);

}  // namespace tavlin::lh5
