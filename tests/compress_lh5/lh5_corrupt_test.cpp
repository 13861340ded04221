// Corrupt and truncated -lh5- streams: a bad block header raises "Bad decode
// table in archive!" before any table is read or written out of bounds, and
// damage the headers cannot show ends in a checksum that differs.
#include <functional>
#include <random>

#include <gtest/gtest.h>

#include "compress/compress_errors.h"
#include "compress_lh5/lh5_stream_builder.h"

namespace tavlin::test {
namespace {

// A code-length code with symbols 2 ("0": a run of 20+ zeros) and 3 ("1": length 1).
void ValidLengthCode(StreamBits& bits) { bits.Put(5, 4).Put(3, 0).Put(3, 0).Put(3, 1).Put(2, 0).Put(3, 1); }
// Character lengths: 'A' and symbol 258 of length 1.
void ValidCharCode(StreamBits& bits) {
    bits.Put(9, 259).Put(1, 0).Put(9, 45).Put(1, 1).Put(1, 0).Put(9, 172).Put(1, 1);
}

struct BadHeader {
    const char* name;
    std::function<void(StreamBits&)> write;  // everything after the 16-bit block size
};

const BadHeader kBadHeaders[] = {
    {"length_code_count_above_19", [](StreamBits& b) { b.Put(5, 20); }},
    {"length_code_single_value_19", [](StreamBits& b) { b.Put(5, 0).Put(5, 19); }},
    {"length_code_single_value_31", [](StreamBits& b) { b.Put(5, 0).Put(5, 31); }},
    {"length_code_length_17", [](StreamBits& b) { b.Put(5, 1).Put(3, 7).Put(11, 0x7FE); }},
    {"length_code_all_zero", [](StreamBits& b) { b.Put(5, 3).Put(3, 0).Put(3, 0).Put(3, 0).Put(2, 0); }},
    {"length_code_under_full", [](StreamBits& b) { b.Put(5, 1).Put(3, 1); }},
    {"length_code_over_full", [](StreamBits& b) { b.Put(5, 3).Put(3, 1).Put(3, 1).Put(3, 1).Put(2, 0); }},
    // Four codes of one bit fill the code space twice: 2^17, which is 0 in 16 bits.
    {"length_code_over_full_twice",
     [](StreamBits& b) { b.Put(5, 4).Put(3, 1).Put(3, 1).Put(3, 1).Put(2, 0).Put(3, 1); }},
    {"char_count_above_510", [](StreamBits& b) { ValidLengthCode(b); b.Put(9, 511); }},
    {"char_single_value_510", [](StreamBits& b) { ValidLengthCode(b); b.Put(9, 0).Put(9, 510); }},
    {"char_zero_run_past_the_table", [](StreamBits& b) { ValidLengthCode(b); b.Put(9, 510).Put(1, 0).Put(9, 511); }},
    {"char_zero_run_past_the_end_after_a_length",
     [](StreamBits& b) { ValidLengthCode(b); b.Put(9, 510).Put(1, 1).Put(1, 0).Put(9, 490); }},
    {"char_all_zero", [](StreamBits& b) { ValidLengthCode(b); b.Put(9, 30).Put(1, 0).Put(9, 10); }},
    {"char_under_full", [](StreamBits& b) { ValidLengthCode(b); b.Put(9, 1).Put(1, 1); }},
    {"char_over_full", [](StreamBits& b) { ValidLengthCode(b); b.Put(9, 3).Put(1, 1).Put(1, 1).Put(1, 1); }},
    {"distance_count_above_14", [](StreamBits& b) { ValidLengthCode(b), ValidCharCode(b); b.Put(4, 15); }},
    {"distance_single_value_14", [](StreamBits& b) { ValidLengthCode(b), ValidCharCode(b); b.Put(4, 0).Put(4, 14); }},
    {"distance_length_17", [](StreamBits& b) { ValidLengthCode(b), ValidCharCode(b); b.Put(4, 1).Put(11, 0x7FE); }},
    {"distance_over_full",
     [](StreamBits& b) { ValidLengthCode(b), ValidCharCode(b); b.Put(4, 3).Put(3, 1).Put(3, 1).Put(3, 1); }},
};

class Lh5BadHeader : public ::testing::TestWithParam<BadHeader> {};

TEST_P(Lh5BadHeader, RaisesBadDecodeTable) {
    StreamBits bits;
    bits.Put(16, 1);
    GetParam().write(bits);
    // Trailing one-bits, so that the header does not end in the zeros of the end of input.
    bits.Put(16, 0xFFFF).Put(16, 0xFFFF);
    try {
        ExpandLh5(bits.Finish(), 10);
        FAIL() << "no exception";
    } catch (const ELZHBadDecodeTable& e) {
        EXPECT_STREQ(e.what(), "Bad decode table in archive!");
    }
}

INSTANTIATE_TEST_SUITE_P(Headers, Lh5BadHeader, ::testing::ValuesIn(kBadHeaders),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(Lh5BadHeader, TheValidPartsDecode) {
    // The valid prefixes above, completed: they decode, so each bad case fails
    // at its own field.
    StreamBits bits;
    bits.Put(16, 2);
    ValidLengthCode(bits);
    ValidCharCode(bits);
    bits.Put(4, 0).Put(4, 0);
    bits.Put(1, 0).Put(1, 1);
    EXPECT_EQ(ExpandLh5(bits.Finish(), 6).output, Bytes(6, 'A'));
}

// What a damaged member must come to: an exception, an output cut short where
// its stored bits ran out (the member is then damaged whatever its sum), or an
// output whose checksum tells it apart from the original (or the original itself).
void ExpectDetectedOrIntact(const Bytes& stream, const Bytes& original, std::int32_t sourceSize) {
    try {
        const CodecResult result =
            ExpandLh5(stream, static_cast<std::int32_t>(original.size()), 0, false, SIZE_MAX, sourceSize);
        if (result.output.size() < original.size()) {
            EXPECT_TRUE(result.inputShort);
            return;
        }
        if (result.output != original) {
            EXPECT_NE(result.checksum, ByteSum(original));
        }
    } catch (const ELZHBadDecodeTable&) {
        // A bad header is one of the expected outcomes.
    }
}

TEST(Lh5Damage, TruncatedStreamsAreRejectedOrMarkedShort) {
    const Bytes original = SampleText(30000);
    const Bytes stream = CompressLh5(original).output;
    const auto size = static_cast<std::int32_t>(stream.size());
    for (const std::int32_t cut : {0, 1, 2, 3, 7, 40, size / 3, size / 2, size - 2, size - 1}) {
        SCOPED_TRACE("source cut to " + std::to_string(cut));
        try {
            // A member that claims far more than its bytes hold: the output stops
            // within one symbol of where the stored bits run out.
            const CodecResult result =
                ExpandLh5(stream, static_cast<std::int32_t>(original.size() * 100), 0, false, SIZE_MAX, cut);
            EXPECT_TRUE(result.inputShort);
            EXPECT_LE(result.output.size(), original.size() + 256);
        } catch (const ELZHBadDecodeTable&) {
            // A header cut into zeros may be rejected instead.
        }
    }
}

TEST(Lh5Damage, EveryBitOfTheHeaderFlipped) {
    const Bytes original = SampleText(3000);
    const Bytes stream = CompressLh5(original).output;
    for (std::size_t bit = 0; bit < 8 * std::min<std::size_t>(stream.size(), 80); ++bit) {
        SCOPED_TRACE("bit " + std::to_string(bit));
        Bytes damaged = stream;
        damaged[bit / 8] = static_cast<std::uint8_t>(damaged[bit / 8] ^ (0x80 >> (bit % 8)));
        ExpectDetectedOrIntact(damaged, original, static_cast<std::int32_t>(damaged.size()));
    }
}

TEST(Lh5Damage, RandomBytesOverwritten) {
    const Bytes original = SampleText(40000);
    const Bytes stream = CompressLh5(original).output;
    std::mt19937 generator(11);
    for (int round = 0; round < 300; ++round) {
        Bytes damaged = stream;
        for (int k = 0; k < 1 + round % 4; ++k) {
            damaged[generator() % damaged.size()] = static_cast<std::uint8_t>(generator());
        }
        SCOPED_TRACE("round " + std::to_string(round));
        ExpectDetectedOrIntact(damaged, original, static_cast<std::int32_t>(damaged.size()));
    }
}

TEST(Lh5Damage, RandomStreams) {
    for (std::uint32_t seed = 0; seed < 200; ++seed) {
        const Bytes garbage = RandomBytes(64 + seed * 7, seed);
        try {
            const CodecResult result = ExpandLh5(garbage, 5000);
            EXPECT_GE(result.output.size(), 5000u);
        } catch (const ELZHBadDecodeTable&) {
            // Most random headers are rejected.
        }
    }
}

}  // namespace
}  // namespace tavlin::test
