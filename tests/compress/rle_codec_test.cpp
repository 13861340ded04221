// The RLE codec: the documented examples in both directions, the first-byte
// and 255-run boundaries, marker escaping and the incompressible case.
#include <gtest/gtest.h>

#include "compress/compress_errors.h"
#include "compress/codec_harness.h"

namespace tavlin::test {
namespace {

struct RleExample {
    const char* name;
    Bytes data;
    Bytes encoded;
};

Bytes Repeat(std::uint8_t b, std::size_t n) { return Bytes(n, b); }

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

std::string ExampleName(const ::testing::TestParamInfo<RleExample>& param) { return param.param.name; }

class RleExampleTest : public ::testing::TestWithParam<RleExample> {};

TEST_P(RleExampleTest, CompressesToTheDocumentedItems) {
    const auto& example = GetParam();
    // Compressing is limited to the input size; use a larger limit where the
    // documented encoding is longer.
    const auto run = RunCodecOn(coRLE, false, example.data,
                                CodecOptions().SourceSize(example.data.size() * 2));
    EXPECT_EQ(run.output, example.encoded);
    EXPECT_EQ(static_cast<std::uint32_t>(run.checksum), SumOf(example.data));
}

TEST_P(RleExampleTest, ExpandsBackToTheData) {
    const auto& example = GetParam();
    const auto run = RunCodecOn(coRLE, true, example.encoded, CodecOptions().DestSize(example.data.size()));
    EXPECT_EQ(run.output, example.data);
    EXPECT_EQ(static_cast<std::uint32_t>(run.checksum), SumOf(example.data));
    EXPECT_EQ(run.written, static_cast<std::int32_t>(example.data.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Examples, RleExampleTest,
    ::testing::Values(
        RleExample{"single", {0x41}, {0x41}},
        RleExample{"pair_stays_literal", {0x41, 0x41}, {0x41, 0x41}},
        RleExample{"run_of_three", {0x41, 0x41, 0x41}, {0x41, 0x94, 0x03}},
        RleExample{"run_of_255", Repeat(0x41, 255), {0x41, 0x94, 0xFF}},
        RleExample{"run_of_256_starts_a_literal", Repeat(0x41, 256), {0x41, 0x94, 0xFF, 0x41}},
        RleExample{"run_of_300", Repeat(0x41, 300), {0x41, 0x94, 0xFF, 0x41, 0x94, 0x2D}},
        RleExample{"marker", {0x94}, {0x94, 0x00}},
        RleExample{"markers_never_run", {0x94, 0x94, 0x94}, {0x94, 0x00, 0x94, 0x00, 0x94, 0x00}},
        RleExample{"first_zero_does_not_continue_initial_byte", {0, 0, 0, 0}, {0x00, 0x94, 0x04}},
        RleExample{"pair_before_marker", {0x41, 0x41, 0x94}, {0x41, 0x41, 0x94, 0x00}},
        RleExample{"run_closed_by_marker", Concat({Repeat(0x41, 5), {0x94, 0x42}}),
                   {0x41, 0x94, 0x05, 0x94, 0x00, 0x42}},
        RleExample{"runs_back_to_back", Concat({Repeat(0x41, 4), Repeat(0x42, 3)}),
                   {0x41, 0x94, 0x04, 0x42, 0x94, 0x03}},
        RleExample{"empty", {}, {}}),
    ExampleName);

TEST(RleCodec, OnlyMarkersCannotBeCompressed) {
    EXPECT_THROW(Compress(coRLE, Repeat(0x94, 100)), EUnableToCompress);
}

TEST(RleCodec, MarkerAtTheEndOfTheInputStandsForOneMarker) {
    const auto run = RunCodecOn(coRLE, true, {0x41, 0x94}, CodecOptions().DestSize(2));
    EXPECT_EQ(run.output, (Bytes{0x41, 0x94}));
}

TEST(RleCodec, ExpandsWhatTheItemsSayWhateverTheDestSize) {
    EXPECT_EQ(Expand(coRLE, {0x41, 0x94, 0x05}, 2), Repeat(0x41, 5));
}

TEST(RleCodec, RoundTripsTheSampleInputs) {
    for (const auto& sample : SampleInputs()) {
        SCOPED_TRACE(sample.name);
        const Bytes stored = CompressUnlimited(coRLE, sample.bytes);
        EXPECT_EQ(Expand(coRLE, stored, static_cast<std::int32_t>(sample.bytes.size())), sample.bytes);
    }
}

}  // namespace
}  // namespace tavlin::test
