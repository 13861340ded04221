// The LH5 encoder's block writer: buffers literals and matches as symbols and,
// when the buffer is full and at the end, writes them as a block with three
// Huffman codes fitted to that block.
#pragma once

#include <cstdint>

#include "compress/codec_frame.h"
#include "compress/lh5_bit_writer.h"
#include "compress/lh5_format.h"
#include "compress/lh5_huffman_builder.h"

namespace tavlin::lh5 {

class LH5BlockWriter {
public:
    explicit LH5BlockWriter(TCompThreadSafety& frame) : bits_(frame) {}

    // Buffers a literal (c < 256) or a match symbol (c = length + 253) with its
    // distance value p (distance - 1).
    void BufferSymbol(unsigned c, unsigned p);
    // Writes the buffered symbols (there is at least one) and pads the last byte.
    void Finish();

private:
    // Flag groups: a flag byte, then up to 8 symbols of 1 (literal) or 3 bytes.
    static constexpr int kBufferSize = 16384;
    // A new group starts only with room for 8 matches.
    static constexpr int kLastGroupStart = kBufferSize - 3 * 8;

    void WriteBlock();
    void CountLenFreq();
    void WriteAuxLengths(int n, int nbit, int zeroRunAfter);
    void WriteCharLengths();
    void PutLengthSymbol(int s) { bits_.WriteCode(AuxLen[s], AuxCode[s]); }
    void PutCharSymbol(unsigned c) { bits_.WriteCode(CharLen[c], CharCode[c]); }
    void PutPosition(unsigned p);

    LH5BitWriter bits_;
    LH5HuffmanBuilder huffman_;
    std::uint8_t SymbolBuf[kBufferSize + 1] = {};
    int SymbolPos = 0;
    int FlagPos = 0;
    unsigned FlagMask = 0;
    std::uint16_t CharFreq[2 * kCharCount] = {};
    std::uint8_t CharLen[kCharCount] = {};
    std::uint16_t CharCode[kCharCount + 1] = {};
    std::uint16_t PosFreq[2 * kPositionCount] = {};
    std::uint16_t LenFreq[2 * kLengthCodeCount] = {};
    // The code-length code while the character lengths are written, then the distance code.
    std::uint8_t AuxLen[kLengthCodeCount + 1] = {};
    std::uint16_t AuxCode[kLengthCodeCount + 1] = {};
};

}  // namespace tavlin::lh5
