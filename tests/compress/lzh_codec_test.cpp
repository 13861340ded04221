// The adaptive LZH codec (LZHUF): round trips, the bit streams of the encoder
// (token choice, long codes, exact bytes where the coding is fixed), decoding
// of streams made by another encoder, and damaged input.
#include <gtest/gtest.h>

#include "compress/compress_errors.h"
#include "compress/lzh_symbol_reader.h"
#include "compress/lzh_symbol_writer.h"
#include "compress/codec_harness.h"
#include "common/lha_file.h"

namespace tavlin::test {
namespace {

const std::string kFixtures = TAVLIN_FIXTURES_DIR "/lzh/";

// A byte source or sink over a vector, for driving the symbol coder directly.
struct VectorBytes {
    Bytes bytes;
    std::size_t pos = 0;
    bool InputEnded = false;
    std::uint8_t FetchByte() {
        InputEnded = pos >= bytes.size();
        return InputEnded ? 0 : bytes[pos++];
    }
    void EmitByte(std::uint8_t b) { bytes.push_back(b); }
};

struct Token {
    int length;    // 1 for a literal
    int distance;  // 0 for a literal
    bool operator==(const Token&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Token& token) {
    return out << "{" << token.length << "," << token.distance << "}";
}

// The literals and matches of a stream, until size bytes are described.
std::vector<Token> TokensOf(const Bytes& stream, std::size_t size) {
    VectorBytes source{stream};
    LzhSymbolReader reader(source);
    std::vector<Token> tokens;
    std::size_t done = 0;
    while (done < size) {
        const int c = reader.NextSymbol();
        if (c < 256) {
            tokens.push_back({1, 0});
            ++done;
        } else {
            const int length = c - 253;
            tokens.push_back({length, reader.NextOffset() + 1});
            done += static_cast<std::size_t>(length);
        }
    }
    return tokens;
}

TEST(LzhCodec, RoundTripsTheSampleInputs) {
    for (const auto& sample : SampleInputs()) {
        SCOPED_TRACE(sample.name);
        const Bytes stored = CompressUnlimited(coLZH, sample.bytes);
        const auto run = RunCodecOn(coLZH, true, stored, CodecOptions().DestSize(sample.bytes.size()));
        EXPECT_EQ(run.output, sample.bytes);
        EXPECT_EQ(static_cast<std::uint32_t>(run.checksum), SumOf(sample.bytes));
        EXPECT_FALSE(run.inputShort);
        // The decoder takes the whole stream and no more.
        EXPECT_EQ(run.sourcePosition, static_cast<std::int64_t>(stored.size()));
    }
}

TEST(LzhCodec, ShiftingStatisticsRoundTripAcrossManyRebuilds) {
    // Text, noise and other text in turns: the counts near the root move and the
    // tree is rebuilt many times, each time with a new order of the upper nodes.
    Bytes input;
    for (std::uint32_t part = 0; part < 6; ++part) {
        const Bytes piece = part % 2 == 0 ? TextBytes(90000, 31 + part) : RandomBytes(90000, 77 + part);
        input.insert(input.end(), piece.begin(), piece.end());
    }
    const Bytes stored = CompressUnlimited(coLZH, input);
    const auto run = RunCodecOn(coLZH, true, stored, CodecOptions().DestSize(input.size()));
    EXPECT_TRUE(run.output == input);
    EXPECT_FALSE(run.inputShort);
}

TEST(LzhCodec, WritesExactlyTheShortestStream) {
    // One literal: its code in the initial tree, padded to whole bytes. Another
    // encoder's stream of the same byte must be identical.
    const Bytes one = ReadFileBytes(kFixtures + "one.bin");
    EXPECT_EQ(CompressUnlimited(coLZH, one), ReadFileBytes(kFixtures + "one.bin.lh1"));
}

TEST(LzhCodec, EmptyInputWritesNothing) {
    const auto run = RunCodecOn(coLZH, false, {});
    EXPECT_TRUE(run.output.empty());
    EXPECT_EQ(run.checksum, 0);
}

TEST(LzhCodec, RunAtTheStartBecomesOneLiteralAndMatchesAtDistanceOne) {
    const Bytes run(200, 0x41);
    EXPECT_EQ(TokensOf(Compress(coLZH, run), run.size()),
              (std::vector<Token>{{1, 0}, {60, 1}, {60, 1}, {60, 1}, {19, 1}}));
}

TEST(LzhCodec, LeadingSpacesMatchTheInitialWindow) {
    const Bytes data = BytesOf("          x");
    EXPECT_EQ(TokensOf(Compress(coLZH, data), data.size()), (std::vector<Token>{{10, 1}, {1, 0}}));
}

TEST(LzhCodec, NearestOfEqualMatchesWins) {
    const Bytes data = BytesOf("abcd1abcd2abcd3");
    EXPECT_EQ(TokensOf(Compress(coLZH, data), data.size()),
              (std::vector<Token>{{1, 0}, {1, 0}, {1, 0}, {1, 0}, {1, 0}, {4, 5}, {1, 0}, {4, 5}, {1, 0}}));
}

TEST(LzhCodec, MatchesAreCutToTheEndOfShortInput) {
    const Bytes data = BytesOf("xyzxyzxy");
    EXPECT_EQ(TokensOf(Compress(coLZH, data), data.size()), (std::vector<Token>{{1, 0}, {1, 0}, {1, 0}, {5, 3}}));
}

TEST(LzhCodec, CodesLongerThanSixteenBitsAreWrittenWhole) {
    // Fibonacci-like counts on a few symbols push the untouched ones deep into
    // the tree; the last symbol written then has a code of more than 16 bits.
    VectorBytes sink;
    LzhSymbolWriter writer(sink);
    std::vector<int> symbols;
    // Counts of 200, 400, 600, 1000 ... stay below the rebuild point in total.
    int previous = 200;
    int count = 200;
    for (int s = 0; s < 9; ++s) {
        for (int i = 0; i < count; ++i) symbols.push_back(s);
        const int next = previous + count;
        previous = count;
        count = next;
    }
    for (const int s : symbols) writer.PutSymbol(s);
    const int rare = 200;
    ASSERT_GT(writer.CodeLength(rare), 16);
    writer.PutSymbol(rare);
    writer.PutOffset(4095);
    writer.Flush();
    symbols.push_back(rare);

    VectorBytes source{sink.bytes};
    LzhSymbolReader reader(source);
    for (std::size_t i = 0; i < symbols.size(); ++i) ASSERT_EQ(reader.NextSymbol(), symbols[i]) << "symbol " << i;
    EXPECT_EQ(reader.NextOffset(), 4095);
    EXPECT_FALSE(reader.Overrun());
}

TEST(LzhCodec, EveryOffsetRoundTrips) {
    VectorBytes sink;
    LzhSymbolWriter writer(sink);
    for (int d = 0; d < 4096; ++d) writer.PutOffset(d);
    writer.Flush();
    VectorBytes source{sink.bytes};
    LzhSymbolReader reader(source);
    for (int d = 0; d < 4096; ++d) ASSERT_EQ(reader.NextOffset(), d);
}

TEST(LzhCodec, IncompressibleInputCannotBeCompressed) {
    EXPECT_THROW(Compress(coLZH, RandomBytes(5000)), EUnableToCompress);
}

TEST(LzhCodec, ZeroDestSizeReadsAndWritesNothing) {
    const Bytes stored = Compress(coLZH, TextBytes(1000));
    const auto run = RunCodecOn(coLZH, true, stored, CodecOptions().DestSize(0));
    EXPECT_TRUE(run.output.empty());
    EXPECT_EQ(run.checksum, 0);
    EXPECT_EQ(run.sourcePosition, 0);
}

TEST(LzhCodec, CutStreamIsReportedShort) {
    const Bytes data = TextBytes(5000);
    Bytes stored = Compress(coLZH, data);
    for (const std::size_t keep : {std::size_t{0}, std::size_t{1}, stored.size() / 2, stored.size() - 1}) {
        SCOPED_TRACE(keep);
        const Bytes cut(stored.begin(), stored.begin() + static_cast<std::ptrdiff_t>(keep));
        // Once as a SourceSize that is too small, once as a source that ends early.
        const auto small = RunCodecOn(coLZH, true, cut, CodecOptions().DestSize(data.size()));
        EXPECT_TRUE(small.inputShort);
        EXPECT_LT(small.output.size(), data.size());
        const auto early =
            RunCodecOn(coLZH, true, cut, CodecOptions().DestSize(data.size()).SourceSize(stored.size()));
        EXPECT_TRUE(early.inputShort);
    }
}

// The members of another encoder's -lh1- archive decode to bytes with the CRC
// its headers give.
TEST(LzhCodec, DecodesAnotherEncodersStreams) {
    const Bytes archive = ReadFileBytes(kFixtures + "corpus-lh1.lzh");
    const auto members = ReadLhaArchive(archive);
    ASSERT_EQ(members.size(), 7u);
    // Level-1 headers keep the CRC right after the name.
    std::size_t pos = 0;
    for (const auto& member : members) {
        SCOPED_TRACE(member.name);
        const std::size_t crcAt = pos + 22 + member.name.size();
        const auto crc = static_cast<std::uint16_t>(archive[crcAt] | archive[crcAt + 1] << 8);
        const std::size_t headerEnd = pos + 2 + archive[pos];
        std::size_t extended = archive[headerEnd - 2] | archive[headerEnd - 1] << 8;
        std::size_t next = headerEnd;
        while (extended != 0) {
            next += extended;
            extended = archive[next - 2] | archive[next - 1] << 8;
        }
        pos = next + member.raw.size();

        Bytes decoded;
        if (member.method == "-lh0-") {
            decoded = member.raw;
        } else {
            ASSERT_EQ(member.method, "-lh1-");
            const auto run = RunCodecOn(coLZH, true, member.raw, CodecOptions().DestSize(member.originalSize));
            EXPECT_FALSE(run.inputShort);
            decoded = run.output;
        }
        ASSERT_EQ(decoded.size(), member.originalSize);
        EXPECT_EQ(LhaCrc16(decoded), crc);
    }
}

TEST(LzhCodec, DecodesAnotherEncodersIncompressibleStream) {
    const Bytes original = ReadFileBytes(kFixtures + "random20k.bin");
    const auto run = RunCodecOn(coLZH, true, ReadFileBytes(kFixtures + "random20k.bin.lh1"),
                                CodecOptions().DestSize(original.size()));
    EXPECT_EQ(run.output, original);
    EXPECT_FALSE(run.inputShort);
}

}  // namespace
}  // namespace tavlin::test
