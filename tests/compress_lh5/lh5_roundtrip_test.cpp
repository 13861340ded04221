// Streams written by CompressLH5: they decode with ExpandLH5 to the input, with
// the input's checksum, and an independent LHA decoder reads them too.
#include <gtest/gtest.h>

#include "compress_lh5/lh5_test_support.h"

namespace tavlin::test {
namespace {

struct RoundTripCase {
    const char* name;
    Bytes input;
};

std::vector<RoundTripCase> RoundTripCases() {
    Bytes unit256(256);
    for (int i = 0; i < 256; ++i) unit256[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i * 37 + 11);
    Bytes mixed = SampleText(40000);
    const Bytes noise = RandomBytes(3000, 5);
    mixed.insert(mixed.begin() + 20000, noise.begin(), noise.end());
    return {
        {"equal_bytes_1000", Bytes(1000, 0x61)},
        {"letter_a_300", Bytes(300, 0x41)},
        {"all_0x94", Bytes(5000, 0x94)},
        {"text", SampleText(11358)},
        {"text_two_slides", SampleText(16128)},
        {"text_first_slide_edge", SampleText(7936)},
        {"text_100k", SampleText(100000)},
        {"repetitive_100k", Repeated(SampleText(997), 103)},
        {"string_256_repeated", Repeated(unit256, 40)},
        {"string_256_repeated_long", Repeated(unit256, 200)},
        {"text_with_noise", mixed},
        {"long_run_across_blocks", Repeated(Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9}, 300000)},
        {"all_byte_values", Repeated(RandomBytes(700, 3), 30)},
    };
}

class Lh5RoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(Lh5RoundTrip, ExpandsToTheInputWithItsChecksum) {
    const Bytes& input = GetParam().input;
    const CodecResult packed = CompressLh5(input);
    EXPECT_EQ(packed.checksum, ByteSum(input));
    EXPECT_EQ(packed.returned, static_cast<std::int32_t>(packed.output.size()));
    EXPECT_LT(packed.output.size(), input.size());
    // The whole source was read: the next member's header follows right after.
    EXPECT_EQ(packed.sourcePosition, static_cast<std::int64_t>(input.size()));

    // Reads of one byte, and a last read of one byte, move the refills around.
    for (const std::size_t maxRead : {SIZE_MAX, packed.output.size() - 1, std::size_t{1}}) {
        SCOPED_TRACE("read size " + std::to_string(maxRead));
        const CodecResult unpacked =
            ExpandLh5(packed.output, static_cast<std::int32_t>(input.size()), 0, false, maxRead);
        EXPECT_EQ(unpacked.checksum, ByteSum(input));
        ASSERT_EQ(unpacked.output.size(), input.size());
        EXPECT_TRUE(unpacked.output == input);
        EXPECT_EQ(unpacked.sourcePosition, static_cast<std::int64_t>(packed.output.size()));
        EXPECT_FALSE(unpacked.inputShort);
    }
}

TEST_P(Lh5RoundTrip, LhasaDecodesTheStream) {
    if (!LhasaAvailable()) GTEST_SKIP() << "lhasa is not installed";
    const Bytes& input = GetParam().input;
    const CodecResult packed = CompressLh5(input);
    EXPECT_EQ(LhasaDecodes("-lh5-", packed.output, input), "");
}

INSTANTIATE_TEST_SUITE_P(Inputs, Lh5RoundTrip, ::testing::ValuesIn(RoundTripCases()),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace tavlin::test
