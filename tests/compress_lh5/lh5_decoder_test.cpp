// ExpandLH5 on hand-made streams: block counts, one-symbol codes, match copies
// and the window, the end of decoding, and reads that end or are cancelled early.
#include <gtest/gtest.h>

#include "compress/compress_errors.h"
#include "compress_lh5/lh5_stream_builder.h"

namespace tavlin::test {
namespace {

std::string Text(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST(Lh5Decoder, DestSizeZeroReadsAndWritesNothing) {
    const Bytes garbage = {0xFF, 0xFF, 0xFF, 0xFF};
    const CodecResult result = ExpandLh5(garbage, 0);
    EXPECT_TRUE(result.output.empty());
    EXPECT_EQ(result.checksum, 0u);
    EXPECT_EQ(result.sourcePosition, 0);
}

TEST(Lh5Decoder, SymbolsOfZeroBitsStillUseUpTheBlock) {
    StreamBits bits;
    SingleSymbolBlock(bits, 3, 'Q');
    SingleSymbolBlock(bits, 2, 'R');
    const CodecResult result = ExpandLh5(bits.Finish(), 5);
    EXPECT_EQ(Text(result.output), "QQQRR");
    EXPECT_EQ(result.checksum, 3u * 'Q' + 2u * 'R');
}

TEST(Lh5Decoder, StoredBlockSizeZeroMeans65536Symbols) {
    StreamBits bits;
    SingleSymbolBlock(bits, 0, 'x');
    SingleSymbolBlock(bits, 1, 'y');
    const CodecResult result = ExpandLh5(bits.Finish(), 65537);
    Bytes expected(65536, 'x');
    expected.push_back('y');
    EXPECT_TRUE(result.output == expected);
}

TEST(Lh5Decoder, OverlappingMatchRepeatsTheLastByte) {
    StreamBits bits;
    LiteralAndMatchHeader(bits, 2);
    bits.Put(1, 0).Put(1, 1);  // 'A', then length 5 at distance 1
    const CodecResult result = ExpandLh5(bits.Finish(), 6);
    EXPECT_EQ(Text(result.output), "AAAAAA");
}

TEST(Lh5Decoder, LastMatchIsCopiedWholePastDestSize) {
    StreamBits bits;
    LiteralAndMatchHeader(bits, 2);
    bits.Put(1, 0).Put(1, 1);
    const CodecResult result = ExpandLh5(bits.Finish(), 3);
    EXPECT_EQ(Text(result.output), "AAAAAA");
    EXPECT_EQ(result.checksum, 6u * 'A');
}

TEST(Lh5Decoder, DistanceLowBitsFollowTheClass) {
    // Class 2 with low bit 1: distance value 3, distance 4; class 2 with 0: distance 3.
    // The first match reaches one byte before the output, into the window's spaces.
    StreamBits bits;
    LiteralAndMatchHeader(bits, 5, 2);
    bits.Put(1, 0).Put(1, 0).Put(1, 0);  // "AAA"
    bits.Put(1, 1).Put(1, 1);            // length 5, distance 4: " AAA "
    bits.Put(1, 1).Put(1, 0);            // length 5, distance 3: "AA AA"
    const CodecResult result = ExpandLh5(bits.Finish(), 13);
    EXPECT_EQ(Text(result.output), "AAA AAA AA AA");
}

TEST(Lh5Decoder, WindowStartsAsSpacesAtTheLongestDistance) {
    StreamBits bits;
    SingleSymbolBlock(bits, 2, 256, 13);  // matches of length 3, distance class 13
    bits.Put(12, 0xFFF).Put(12, 0xFFF);   // distance 8192
    const CodecResult result = ExpandLh5(bits.Finish(), 6);
    EXPECT_EQ(Text(result.output), "      ");
}

// Output of distinct runs, then matches of length 256 from exactly 8192 bytes
// back, with the matches starting at places around the window's internal moves.
TEST(Lh5Decoder, LongestDistanceReachesBackAcrossTheWholeWindow) {
    for (const std::size_t before : {8192u, 8200u, 32768u - 100, 32768u + 3, 40960u - 255, 70000u}) {
        SCOPED_TRACE("matches after " + std::to_string(before) + " bytes");
        StreamBits bits;
        Bytes expected;
        for (std::uint32_t run = 0; expected.size() < before; ++run) {
            const std::uint32_t size = std::min<std::uint32_t>(run * 37 % 500 + 1,
                                                              static_cast<std::uint32_t>(before - expected.size()));
            SingleSymbolBlock(bits, size, run & 0xFF);
            expected.insert(expected.end(), size, static_cast<std::uint8_t>(run));
        }
        constexpr int kMatches = 40;
        SingleSymbolBlock(bits, kMatches, 509, 13);
        for (int m = 0; m < kMatches; ++m) {
            bits.Put(12, 0xFFF);
            for (int k = 0; k < 256; ++k) expected.push_back(expected[expected.size() - 8192]);
        }
        const CodecResult result = ExpandLh5(bits.Finish(), static_cast<std::int32_t>(expected.size()));
        EXPECT_TRUE(result.output == expected);
    }
}

TEST(Lh5Decoder, InputThatEndsEarlyStopsTheDecodingAndIsMarkedShort) {
    // After the 74-bit header the last byte's 6 padding bits read as six 'A's;
    // the first symbol that needs a bit past the end is the last one decoded,
    // however many the block and the member promise.
    StreamBits bits;
    LiteralAndMatchHeader(bits, 100);
    const Bytes stream = bits.Finish();
    const CodecResult result = ExpandLh5(stream, 50);
    EXPECT_EQ(Text(result.output), std::string(7, 'A'));
    EXPECT_EQ(result.sourcePosition, static_cast<std::int64_t>(stream.size()));
    EXPECT_TRUE(result.inputShort);
}

TEST(Lh5Decoder, StreamUsedUpToItsLastBitIsNotShort) {
    // A 74-bit header and 38 one-bit symbols end exactly with the 14th byte; the
    // block promises one symbol more than the stream holds.
    StreamBits bits;
    LiteralAndMatchHeader(bits, 39);
    bits.Put(2, 0).Put(32, 0x55555555).Put(4, 0);  // "AA", 16 times 'A' and a match, "AAAA"
    const Bytes exact = bits.Finish();
    ASSERT_EQ(exact.size(), 14u);
    const CodecResult whole = ExpandLh5(exact, 2 + 16 * 6 + 4);
    EXPECT_EQ(whole.output.size(), 102u);
    EXPECT_FALSE(whole.inputShort);
    // The 39th symbol is a zero bit that the stream does not hold.
    const CodecResult past = ExpandLh5(exact, 2 + 16 * 6 + 5);
    EXPECT_EQ(past.output.back(), 'A');
    EXPECT_TRUE(past.inputShort);
}

TEST(Lh5Decoder, SourceSizeLimitsTheBytesRead) {
    // SourceSize stops the reads short of a following member's bytes.
    StreamBits bits;
    SingleSymbolBlock(bits, 4, 'z');
    Bytes stream = bits.Finish();
    const auto memberSize = static_cast<std::int32_t>(stream.size());
    stream.insert(stream.end(), 100, 0xEE);
    const CodecResult result = ExpandLh5(stream, 4, 0, false, SIZE_MAX, memberSize);
    EXPECT_EQ(Text(result.output), "zzzz");
    EXPECT_EQ(result.sourcePosition, memberSize);
}

TEST(Lh5Decoder, CancelledReadEndsTheInput) {
    // The handler stops at the first read: the stream then reads as zeros, which
    // make one-symbol codes of byte 0, and as ended.
    const CodecResult packed = CompressLh5(SampleText(5000));
    TCompThreadSafety state;
    MemoryStream source(packed.output);
    MemoryStream dest;
    std::int32_t checksum = 0;
    const TShowProgressEvent cancelAfterStart = [](int& percentage) {
        if (percentage != 0) percentage = -1;
    };
    const std::int32_t written = RunCodec(state, 0, cancelAfterStart, dest, source,
                                          static_cast<std::int32_t>(packed.output.size()), 5000, coLZH5, checksum,
                                          true, false);
    // The zeros are the end of the input: the decoding stops at the first block
    // header's worth of them instead of making up the member's 5000 bytes.
    EXPECT_LE(written, 256);
    EXPECT_TRUE(dest.bytes() == Bytes(dest.bytes().size(), 0));
    EXPECT_EQ(checksum, 0);
    EXPECT_TRUE(state.InputShort);
}

TEST(Lh5Decoder, BytesBeforeABadBlockReachTheOutput) {
    // As if written one by one: full 8192-byte buffers are written, the rest is lost.
    StreamBits bits;
    SingleSymbolBlock(bits, 10000, 'x');
    bits.Put(16, 1).Put(5, 20);  // a code-length count above 19
    TCompThreadSafety state;
    MemoryStream source(bits.Finish());
    MemoryStream dest;
    std::int32_t checksum = 0;
    EXPECT_THROW(RunCodec(state, 0, nullptr, dest, source, static_cast<std::int32_t>(source.size()), 20000, coLZH5,
                          checksum, true, false),
                 ELZHBadDecodeTable);
    EXPECT_TRUE(dest.bytes() == Bytes(8192, 'x'));
}

}  // namespace
}  // namespace tavlin::test
