// The codec frame: progress reports and cancelling, key scrambling across
// buffer refills, the stored copy, the checksum, yielding the processor and
// unknown methods.
#include <gtest/gtest.h>

#include <algorithm>

#include "compress/codec_harness.h"

namespace tavlin::test {
namespace {

// A source that hands out at most `chunk` bytes per read, as a slow device would.
class ChoppyStream : public MemoryStream {
public:
    ChoppyStream(Bytes bytes, std::size_t chunk) : MemoryStream(std::move(bytes)), chunk_(chunk) {}
    std::size_t read(void* buffer, std::size_t count) override {
        return MemoryStream::read(buffer, std::min(count, chunk_));
    }

private:
    std::size_t chunk_;
};

Bytes Scrambled(const Bytes& data, std::uint32_t key) {
    Bytes out = data;
    for (std::size_t i = 0; i < out.size(); ++i) out[i] ^= static_cast<std::uint8_t>(key >> (8 * (i % 4)));
    return out;
}

TEST(CodecFrame, ProgressPercentageAvoidsOverflow) {
    struct Case {
        std::int32_t done, total, percent;
    };
    for (const auto& c : {Case{30000, 60000, 50}, Case{150000, 300000, 50}, Case{100000, 100000, 100},
                          Case{2000000000, 2100000000, 95}, Case{0, 8192, 0}}) {
        EXPECT_EQ(ProgressPercentage(c.done, c.total), c.percent) << c.done << " of " << c.total;
    }
}

TEST(CodecFrame, ReportsProgressPerSourceRead) {
    std::vector<int> reported;
    const Bytes data = RandomBytes(20000);
    const auto run = RunCodecOn(coNone, true, data, CodecOptions().Progress([&](int& p) { reported.push_back(p); }));
    EXPECT_EQ(run.output, data);
    EXPECT_EQ(reported, (std::vector<int>{0, 40, 81, 100, 100}));
}

TEST(CodecFrame, CancelAtTheStartDoesNothing) {
    TCompThreadSafety state;
    MemoryStream source(TextBytes(100));
    MemoryStream dest;
    std::int32_t checksum = 1234;
    const TShowProgressEvent cancel = [](int& p) {
        if (p == 0) p = -1;
    };
    for (const std::uint8_t method : {coNone, coRLE, coLZH}) {
        EXPECT_EQ(RunCodec(state, 0, cancel, dest, source, 100, 100, method, checksum, true, false), 0);
        EXPECT_EQ(checksum, 1234);
        EXPECT_EQ(source.position(), 0);
        EXPECT_TRUE(dest.bytes().empty());
    }
}

TEST(CodecFrame, CancelAfterARefillDamagesTheOutput) {
    // Large enough that every stored form takes more than one 8192-byte read.
    const Bytes data = TextBytes(100000);
    const TShowProgressEvent cancelLater = [](int& p) {
        if (p > 0 && p < 100) p = -1;
    };
    for (const std::uint8_t method : {coNone, coRLE, coLZH}) {
        SCOPED_TRACE(static_cast<int>(method));
        const Bytes stored = CompressUnlimited(method, data);
        const auto run = RunCodecOn(method, true, stored, CodecOptions().DestSize(data.size()).Progress(cancelLater));
        EXPECT_NE(run.output, data);
        EXPECT_NE(static_cast<std::uint32_t>(run.checksum), SumOf(data));
    }
}

TEST(CodecFrame, ScramblesWithTheKeyBytesInTurn) {
    const std::int32_t key = 0x11223344;
    const Bytes data = RandomBytes(20000);
    const auto run = RunCodecOn(coNone, false, data, CodecOptions().Key(key));
    EXPECT_EQ(run.output, Scrambled(data, static_cast<std::uint32_t>(key)));
    // The checksum is that of the plain data.
    EXPECT_EQ(static_cast<std::uint32_t>(run.checksum), SumOf(data));
}

TEST(CodecFrame, DescramblingDoesNotDependOnReadSizes) {
    const std::int32_t key = -559038737;  // 0xDEADBEEF
    const Bytes data = TextBytes(30000);
    for (const std::uint8_t method : {coNone, coRLE, coLZH}) {
        const Bytes stored = RunCodecOn(method, false, data, CodecOptions().Key(key)).output;
        for (const std::size_t chunk : {std::size_t{1}, std::size_t{3}, std::size_t{4093}, std::size_t{100000}}) {
            SCOPED_TRACE(std::to_string(method) + " chunk " + std::to_string(chunk));
            TCompThreadSafety state;
            ChoppyStream source(stored, chunk);
            MemoryStream dest;
            std::int32_t checksum = 0;
            RunCodec(state, key, {}, dest, source, static_cast<std::int32_t>(stored.size()),
                     static_cast<std::int32_t>(data.size()), method, checksum, true, true);
            EXPECT_EQ(dest.bytes(), data);
            EXPECT_FALSE(state.InputShort);
        }
    }
}

TEST(CodecFrame, KeyWithoutDescrambleLeavesInputAlone) {
    const Bytes data = TextBytes(100);
    const auto run = RunCodecOn(coNone, true, data, CodecOptions().Key(77).DestSize(data.size()));
    EXPECT_EQ(run.output, data);
}

TEST(CodecFrame, StoredCopyTakesSourceSizeBytes) {
    const Bytes data = TextBytes(100);
    const auto none = RunCodecOn(coNone, true, data, CodecOptions().SourceSize(0).DestSize(100));
    EXPECT_TRUE(none.output.empty());
    EXPECT_EQ(none.checksum, 0);
    EXPECT_EQ(none.sourcePosition, 0);

    const auto part = RunCodecOn(coNone, true, data, CodecOptions().SourceSize(40).DestSize(100));
    EXPECT_EQ(part.output, Bytes(data.begin(), data.begin() + 40));
    EXPECT_EQ(part.sourcePosition, 40);
    EXPECT_FALSE(part.inputShort);
}

TEST(CodecFrame, SourceEndingBeforeSourceSizeIsReportedShort) {
    const Bytes data = TextBytes(100);
    for (const std::uint8_t method : {coNone, coRLE}) {
        const auto run = RunCodecOn(method, true, data, CodecOptions().SourceSize(150).DestSize(150));
        EXPECT_TRUE(run.inputShort);
    }
}

TEST(CodecFrame, UnknownMethodWritesNothing) {
    for (const std::uint8_t method : {std::uint8_t{coCustom}, std::uint8_t{5}, std::uint8_t{255}}) {
        const auto run = RunCodecOn(method, true, TextBytes(50), CodecOptions().DestSize(50));
        EXPECT_TRUE(run.output.empty());
        EXPECT_EQ(run.checksum, 0);
    }
}

TEST(CodecFrame, YieldsAfterEachSourceReadAndBeforeEachFullWrite) {
    struct Case {
        std::size_t size, chunk;
        int yields;  // reads of up to 8192 bytes, then the full 8192-byte writes before the last
    };
    for (const auto& c : {Case{0, 8192, 0}, Case{100, 8192, 1}, Case{8192, 8192, 1}, Case{8193, 8192, 3},
                          Case{20000, 8192, 5}, Case{20000, 1000, 22}}) {
        SCOPED_TRACE(std::to_string(c.size) + " bytes read " + std::to_string(c.chunk) + " at a time");
        const Bytes data = RandomBytes(c.size);
        TCompThreadSafety state;
        int yields = 0;
        state.YieldProcessor = [&] { ++yields; };
        ChoppyStream source(data, c.chunk);
        MemoryStream dest;
        std::int32_t checksum = 0;
        RunCodec(state, 0, {}, dest, source, static_cast<std::int32_t>(data.size()), 0, coNone, checksum, false, false);
        EXPECT_EQ(yields, c.yields);

        // A state that yields nothing writes the same.
        TCompThreadSafety busy;
        busy.YieldProcessor = nullptr;
        source.seek(0, SeekOrigin::Begin);
        MemoryStream again;
        RunCodec(busy, 0, {}, again, source, static_cast<std::int32_t>(data.size()), 0, coNone, checksum, false, false);
        EXPECT_EQ(again.bytes(), dest.bytes());
    }
}

TEST(CodecFrame, ChecksumIsTheWrappingByteSum) {
    // 16843010 bytes of 0xFF sum to 0x1_0000_00FE: the checksum keeps the low 32 bits.
    const Bytes data(16843010, 0xFF);
    const auto run = RunCodecOn(coNone, true, data, CodecOptions().DestSize(data.size()));
    EXPECT_EQ(static_cast<std::uint32_t>(run.checksum), 0xFEu);
}

}  // namespace
}  // namespace tavlin::test
