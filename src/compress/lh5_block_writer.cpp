// Writing LH5 blocks: the symbol count, the code-length code, the character/length
// code, the distance code, then the buffered symbols in those codes. The header
// writers mirror the decoder's header reader.
#include "compress/lh5_block_writer.h"

#include <algorithm>
#include <bit>

namespace tavlin::lh5 {

void LH5BlockWriter::StartGroup() {
    FlagMask = 0x80;
    if (SymbolPos >= kLastGroupStart) {
        WriteBlock();
        SymbolPos = 0;
    }
    FlagPos = SymbolPos;
    SymbolBuf[FlagPos] = 0;
    ++SymbolPos;
}

void LH5BlockWriter::Finish() {
    WriteBlock();
    bits_.Finish();
}

void LH5BlockWriter::WriteSymbols(unsigned size) {
    // The codes right-aligned, and for each distance class its code followed by
    // room for the bits below the distance's leading 1.
    std::uint32_t charValue[kCharCount];
    for (int c = 0; c < kCharCount; ++c) charValue[c] = static_cast<std::uint32_t>(CharCode[c]) >> (16 - CharLen[c]);
    std::uint32_t positionPrefix[kPositionCount];
    int positionBits[kPositionCount];
    std::uint32_t lowMask[kPositionCount];
    for (int klass = 0; klass < kPositionCount; ++klass) {
        const int low = klass > 1 ? klass - 1 : 0;
        positionPrefix[klass] = (static_cast<std::uint32_t>(AuxCode[klass]) >> (16 - AuxLen[klass])) << low;
        positionBits[klass] = AuxLen[klass] + low;
        lowMask[klass] = (1u << low) - 1;
    }
    int pos = 0;
    unsigned flags = 0;
    for (unsigned i = 0; i < size; ++i) {
        if (i % 8 == 0) {
            flags = SymbolBuf[pos++];
        } else {
            flags <<= 1;
        }
        if (flags & 0x80) {
            const unsigned c = SymbolBuf[pos] + 256u;
            const unsigned p = (static_cast<unsigned>(SymbolBuf[pos + 1]) << 8) | SymbolBuf[pos + 2];
            pos += 3;
            bits_.WriteValue(CharLen[c], charValue[c]);
            const int klass = std::bit_width(p);
            bits_.WriteValue(positionBits[klass], positionPrefix[klass] | (p & lowMask[klass]));
        } else {
            const unsigned c = SymbolBuf[pos++];
            bits_.WriteValue(CharLen[c], charValue[c]);
        }
    }
}

void LH5BlockWriter::WriteBlock() {
    const int root = huffman_.Build(kCharCount, CharFreq, CharLen, CharCode);
    // The root's count is the number of symbols (with one distinct symbol, its own).
    const unsigned size = CharFreq[root];
    bits_.WriteBits(16, size);
    if (root >= kCharCount) {
        CountLenFreq();
        const int lengthRoot = huffman_.Build(kLengthCodeCount, LenFreq, AuxLen, AuxCode);
        if (lengthRoot >= kLengthCodeCount) {
            WriteAuxLengths(kLengthCodeCount, kLengthCodeCountBits, kLengthCodeZeroRunAfter);
        } else {
            bits_.WriteBits(kLengthCodeCountBits, 0);
            bits_.WriteBits(kLengthCodeCountBits, static_cast<unsigned>(lengthRoot));
        }
        WriteCharLengths();
    } else {
        // One symbol only: a one-symbol code-length code and character code.
        bits_.WriteBits(kLengthCodeCountBits, 0);
        bits_.WriteBits(kLengthCodeCountBits, 0);
        bits_.WriteBits(kCharCountBits, 0);
        bits_.WriteBits(kCharCountBits, static_cast<unsigned>(root));
    }
    // A block without matches has no distance counts and sends class 0.
    const int positionRoot = huffman_.Build(kPositionCount, PosFreq, AuxLen, AuxCode);
    if (positionRoot >= kPositionCount) {
        WriteAuxLengths(kPositionCount, kPositionCountBits, -1);
    } else {
        bits_.WriteBits(kPositionCountBits, 0);
        bits_.WriteBits(kPositionCountBits, static_cast<unsigned>(positionRoot));
    }

    WriteSymbols(size);
    std::fill(CharFreq, CharFreq + kCharCount, std::uint16_t{0});
    std::fill(PosFreq, PosFreq + kPositionCount, std::uint16_t{0});
}

// Counts the code-length symbols that WriteCharLengths will send.
void LH5BlockWriter::CountLenFreq() {
    std::fill(LenFreq, LenFreq + kLengthCodeCount, std::uint16_t{0});
    int n = kCharCount;
    while (n > 0 && CharLen[n - 1] == 0) --n;
    int i = 0;
    while (i < n) {
        const int k = CharLen[i++];
        if (k != 0) {
            ++LenFreq[k + 2];
            continue;
        }
        int zeros = 1;
        while (i < n && CharLen[i] == 0) {
            ++i;
            ++zeros;
        }
        if (zeros <= 2) {
            LenFreq[0] = static_cast<std::uint16_t>(LenFreq[0] + zeros);
        } else if (zeros <= 18) {
            ++LenFreq[1];
        } else if (zeros == 19) {
            ++LenFreq[0];
            ++LenFreq[1];
        } else {
            ++LenFreq[2];
        }
    }
}

// Lengths 0..6 in 3 bits; a longer length k as k - 4 one-bits and a zero-bit.
void LH5BlockWriter::WriteAuxLengths(int n, int nbit, int zeroRunAfter) {
    while (n > 0 && AuxLen[n - 1] == 0) --n;
    bits_.WriteBits(nbit, static_cast<unsigned>(n));
    int i = 0;
    while (i < n) {
        const int k = AuxLen[i++];
        if (k <= 6) {
            bits_.WriteBits(3, static_cast<unsigned>(k));
        } else {
            bits_.WriteBits(k - 3, (1u << (k - 3)) - 2);
        }
        if (i == zeroRunAfter) {
            while (i < 6 && AuxLen[i] == 0) ++i;
            bits_.WriteBits(2, static_cast<unsigned>(i - zeroRunAfter));
        }
    }
}

void LH5BlockWriter::WriteCharLengths() {
    int n = kCharCount;
    while (n > 0 && CharLen[n - 1] == 0) --n;
    bits_.WriteBits(kCharCountBits, static_cast<unsigned>(n));
    int i = 0;
    while (i < n) {
        const int k = CharLen[i++];
        if (k != 0) {
            PutLengthSymbol(k + 2);
            continue;
        }
        int zeros = 1;
        while (i < n && CharLen[i] == 0) {
            ++i;
            ++zeros;
        }
        if (zeros <= 2) {
            for (int z = 0; z < zeros; ++z) PutLengthSymbol(0);
        } else if (zeros <= 18) {
            PutLengthSymbol(1);
            bits_.WriteBits(4, static_cast<unsigned>(zeros - 3));
        } else if (zeros == 19) {
            PutLengthSymbol(0);
            PutLengthSymbol(1);
            bits_.WriteBits(4, 15);
        } else {
            PutLengthSymbol(2);
            bits_.WriteBits(kCharCountBits, static_cast<unsigned>(zeros - 20));
        }
    }
}

}  // namespace tavlin::lh5
