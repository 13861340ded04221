// The LH5 encoder's block writer: buffers literals and matches as symbols and,
// when the buffer is full and at the end, writes them as a block with three
// Huffman codes fitted to that block.
#pragma once

#include <bit>
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
    // distance value p (distance - 1; 0 for a literal). Called for every symbol,
    // so it is inline and does not branch on the kind: a literal writes the
    // distance bytes too but moves on by one byte only.
    void BufferSymbol(unsigned c, unsigned p) {
        FlagMask >>= 1;
        if (FlagMask == 0) StartGroup();
        const unsigned match = c >> 8;
        SymbolBuf[SymbolPos] = static_cast<std::uint8_t>(c);
        SymbolBuf[SymbolPos + 1] = static_cast<std::uint8_t>(p >> 8);
        SymbolBuf[SymbolPos + 2] = static_cast<std::uint8_t>(p);
        SymbolPos += static_cast<int>(1 + 2 * match);
        SymbolBuf[FlagPos] = static_cast<std::uint8_t>(SymbolBuf[FlagPos] | (FlagMask * match));
        ++CharFreq[c];
        PosFreq[std::bit_width(p)] = static_cast<std::uint16_t>(PosFreq[std::bit_width(p)] + match);
    }
    // Writes the buffered symbols (there is at least one) and pads the last byte.
    void Finish();

private:
    // Flag groups: a flag byte, then up to 8 symbols of 1 (literal) or 3 bytes.
    static constexpr int kBufferSize = 16384;
    // A new group starts only with room for 8 matches; a literal's two unused
    // bytes after the last match still fit.
    static constexpr int kLastGroupStart = kBufferSize - 3 * 8;

    // Starts a flag group, writing the block first when a group of 8 matches
    // might not fit.
    void StartGroup();
    void WriteBlock();
    void CountLenFreq();
    void WriteAuxLengths(int n, int nbit, int zeroRunAfter);
    void WriteCharLengths();
    void PutLengthSymbol(int s) { bits_.WriteCode(AuxLen[s], AuxCode[s]); }
    // The block's symbols in its codes: each character code and each distance's
    // code with the bits below its leading 1 go out as one value apiece.
    void WriteSymbols(unsigned size);

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
