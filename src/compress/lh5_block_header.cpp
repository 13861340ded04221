// Reading an LH5 block header: the symbol count, the code-length code, the
// character/length code sent with it, and the distance code. Every count, length,
// zero run and single-code value is checked, so a corrupt header raises
// ELZHBadDecodeTable instead of reaching outside the tables.
#include <algorithm>
#include <iterator>

#include "compress/compress_errors.h"
#include "compress/lh5_decoder_state.h"

namespace tavlin::lh5 {

namespace {

// Lengths of the code-length code or of the distance code into AuxLen and AuxTable.
// Lengths 0..6 take 3 bits; a longer one is 111, one 1 per step above 7, and a 0.
void ReadAuxLengths(LH5DecoderState& state, int count, int nbit, int zeroRunAfter) {
    LH5BitReader& reader = state.reader;
    LH5DecodeTables& tables = state.tables;
    const int n = static_cast<int>(reader.Take(nbit));
    if (n == 0) {
        // A code of one symbol and length 0: every lookup gives it and reads no bits.
        const auto symbol = static_cast<std::uint16_t>(reader.Take(nbit));
        if (symbol >= count) throw ELZHBadDecodeTable();
        std::fill(tables.AuxLen, tables.AuxLen + count, std::uint8_t{0});
        std::fill(std::begin(tables.AuxTable), std::end(tables.AuxTable), symbol);
        return;
    }
    if (n > count) throw ELZHBadDecodeTable();
    int i = 0;
    while (i < n) {
        const std::uint32_t peek = reader.Peek16();
        int length = static_cast<int>(peek >> 13);
        if (length == 7) {
            for (std::uint32_t mask = 1u << 12; (peek & mask) != 0; mask >>= 1) ++length;
        }
        if (length > kMaxCodeLength) throw ELZHBadDecodeTable();
        reader.Consume(length < 7 ? 3 : length - 3);
        tables.AuxLen[i++] = static_cast<std::uint8_t>(length);
        if (i == zeroRunAfter) {
            // At most 3 zeros after the third length: still inside the alphabet.
            const int zeros = static_cast<int>(reader.Take(2));
            for (int z = 0; z < zeros; ++z) tables.AuxLen[i++] = 0;
        }
    }
    std::fill(tables.AuxLen + i, tables.AuxLen + count, std::uint8_t{0});
    BuildDecodeTable(count, tables.AuxLen, kAuxTableBits, tables.AuxTable, tables);
}

// Lengths of the character/length code, each sent as a code-length symbol:
// 0 one zero, 1 a run of 3..18 zeros, 2 a run of 20..531 zeros, 3..18 length 1..16.
void ReadCharLengths(LH5DecoderState& state) {
    LH5BitReader& reader = state.reader;
    LH5DecodeTables& tables = state.tables;
    const int n = static_cast<int>(reader.Take(kCharCountBits));
    if (n == 0) {
        const auto symbol = static_cast<std::uint16_t>(reader.Take(kCharCountBits));
        if (symbol >= kCharCount) throw ELZHBadDecodeTable();
        std::fill(std::begin(tables.CharLen), std::end(tables.CharLen), std::uint8_t{0});
        std::fill(std::begin(tables.CharTable), std::end(tables.CharTable), symbol);
        return;
    }
    if (n > kCharCount) throw ELZHBadDecodeTable();
    int i = 0;
    while (i < n) {
        const std::uint32_t peek = reader.Peek16();
        unsigned symbol = tables.AuxTable[peek >> (16 - kAuxTableBits)];
        // Longer codes go on in the tree with the bits after the table's 8.
        for (std::uint32_t mask = 1u << (15 - kAuxTableBits); symbol >= kLengthCodeCount; mask >>= 1) {
            symbol = (peek & mask) ? tables.TreeRight[symbol] : tables.TreeLeft[symbol];
        }
        reader.Consume(tables.AuxLen[symbol]);
        if (symbol <= 2) {
            int zeros = 1;
            if (symbol == 1) zeros = static_cast<int>(reader.Take(4)) + 3;
            if (symbol == 2) zeros = static_cast<int>(reader.Take(kCharCountBits)) + 20;
            if (zeros > kCharCount - i) throw ELZHBadDecodeTable();
            std::fill(tables.CharLen + i, tables.CharLen + i + zeros, std::uint8_t{0});
            i += zeros;
        } else {
            tables.CharLen[i++] = static_cast<std::uint8_t>(symbol - 2);
        }
    }
    std::fill(tables.CharLen + i, std::end(tables.CharLen), std::uint8_t{0});
    BuildDecodeTable(kCharCount, tables.CharLen, kCharTableBits, tables.CharTable, tables);
}

}  // namespace

void ReadBlockHeader(LH5DecoderState& state) {
    // A stored count of 0 stands for 65536 symbols.
    const std::uint32_t size = state.reader.Take(16);
    state.blockLeft = size == 0 ? 65536 : size;
    ReadAuxLengths(state, kLengthCodeCount, kLengthCodeCountBits, kLengthCodeZeroRunAfter);
    ReadCharLengths(state);
    // The distance code replaces the code-length code, which is no longer needed.
    ReadAuxLengths(state, kPositionCount, kPositionCountBits, -1);
}

}  // namespace tavlin::lh5
