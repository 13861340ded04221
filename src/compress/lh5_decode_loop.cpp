// The LH5 decoder's symbol loop, the hot path of every expansion: decodes
// literals and matches into the window. While the input buffer holds enough
// bytes for a whole symbol it runs the fast step, with one register top-up per
// symbol and no checks between codes; near a chunk boundary, at the end of the
// input and for block headers it takes the careful step, which refills the
// register after every code exactly where the stream needs new bytes.
#include "compress/lh5_decoder_state.h"

namespace tavlin::lh5 {

namespace {

// Decodes one code whose lookup table is indexed by the first tableBits bits;
// longer codes walk the tree on the bits that follow. Returns the symbol.
template <bool kFast, int kTableBits>
inline unsigned DecodeCode(LH5BitReader& reader, const std::uint16_t* table, const std::uint8_t* lengths,
                           unsigned alphabet, const LH5DecodeTables& tables) {
    const std::uint64_t bits = reader.Bits();
    unsigned symbol = table[bits >> (64 - kTableBits)];
    for (std::uint64_t mask = std::uint64_t{1} << (63 - kTableBits); symbol >= alphabet; mask >>= 1) {
        symbol = (bits & mask) ? tables.TreeRight[symbol] : tables.TreeLeft[symbol];
    }
    if constexpr (kFast) {
        reader.DropBits(lengths[symbol]);
    } else {
        reader.Consume(lengths[symbol]);
    }
    return symbol;
}

// The distance minus one, 0..8191: a class (the value's bit length) and the bits
// below its leading 1.
template <bool kFast>
inline int DecodeDistance(LH5BitReader& reader, const LH5DecodeTables& tables) {
    const unsigned klass =
        DecodeCode<kFast, kAuxTableBits>(reader, tables.AuxTable, tables.AuxLen, kPositionCount, tables);
    if (klass <= 1) return static_cast<int>(klass);
    const int low = static_cast<int>(klass) - 1;
    const auto extra = static_cast<int>(reader.Bits() >> (64 - low));
    if constexpr (kFast) {
        reader.DropBits(low);
    } else {
        reader.Consume(low);
    }
    return (1 << low) + extra;
}

// One symbol into the window at window[pos]; returns the number of bytes written.
// On entry (fast): the register was topped up (at least 56 bits) and the input
// buffer still holds 8 or more bytes, so no refill can be due within the symbol.
// On entry (careful): the register holds 16 bits or the input has ended.
// On return: pos + result <= the window's end; the register holds at least 12 bits
// (fast) or 16 bits or the input has ended (careful).
template <bool kFast>
inline int DecodeSymbol(LH5BitReader& reader, const LH5DecodeTables& tables, std::uint8_t* window, int pos) {
    const unsigned symbol =
        DecodeCode<kFast, kCharTableBits>(reader, tables.CharTable, tables.CharLen, kCharCount, tables);
    if (symbol < 256) {
        window[pos] = static_cast<std::uint8_t>(symbol);
        return 1;
    }
    const int length = static_cast<int>(symbol) - kMatchSymbolOffset;
    const int distance = DecodeDistance<kFast>(reader, tables) + 1;
    CopyMatch(window + pos, distance, length);
    return length;
}

}  // namespace

// On entry: the register holds its first 16 bits (or the input has ended);
// blockLeft counts the symbols left in the current block (0: read a header first).
// On return: at least destSize bytes have been decoded into the window, or the
// stream used bits past the end of its input (it was cut short, and the zeros
// that stand in for the missing bits would only make up output); the bytes
// since the last hand-over are still pending there, and the register again holds
// 16 bits or the input has ended, as a reader keeping exactly 16 bits would.
void DecodeSymbols(LH5DecoderState& state, std::int64_t destSize) {
    LH5BitReader& reader = state.reader;
    const LH5DecodeTables& tables = state.tables;
    LH5OutputWindow& output = state.output;
    std::uint8_t* const window = output.Data();

    std::int64_t done = 0;
    while (done < destSize) {
        // Only the careful step and block headers read past the end, so this
        // check stays off the fast path; a symbol is at most 256 bytes.
        if (reader.ReadPastEnd()) return;
        if (state.blockLeft == 0) {
            // Bytes decoded before a bad header still reach the output, as if
            // each had been written the moment it was decoded.
            output.EmitPending();
            ReadBlockHeader(state);
        }
        if (output.Position() >= LH5OutputWindow::SlidePoint()) output.Slide();

        int pos = output.Position();
        // Symbols that fit in this block, before the slide point and before destSize.
        std::uint32_t run = state.blockLeft;
        while (run > 0 && done < destSize && pos < LH5OutputWindow::SlidePoint() && reader.FastStepReady()) {
            reader.TopUp();
            const int written = DecodeSymbol<true>(reader, tables, window, pos);
            pos += written;
            done += written;
            --run;
        }
        state.blockLeft = run;
        output.SetPosition(pos);
        // The fast step may leave fewer than 16 bits; the input buffer still has
        // the bytes for them, so this never reads a new chunk.
        reader.Settle();

        if (state.blockLeft > 0 && done < destSize && pos < LH5OutputWindow::SlidePoint()) {
            const int written = DecodeSymbol<false>(reader, tables, window, pos);
            output.SetPosition(pos + written);
            done += written;
            --state.blockLeft;
        }
    }
}

}  // namespace tavlin::lh5
