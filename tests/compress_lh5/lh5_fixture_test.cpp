// -lh5- streams written by another encoder decode to their originals, whatever
// the sizes of the source's reads.
#include <gtest/gtest.h>

#include "common/lha_file.h"
#include "compress_lh5/lh5_test_support.h"

namespace tavlin::test {
namespace {

// 1-byte reads put a chunk boundary between every two bytes of the stream.
constexpr std::size_t kReadSizes[] = {SIZE_MAX, 8191, 1};

TEST(Lh5Fixtures, ArchiveMembersMatchTheirCrc) {
    const auto members = ReadLhaArchive(ReadFileBytes(FixturePath("corpus-lh5.lzh")));
    int decoded = 0;
    for (const LhaMember& member : members) {
        if (member.method != "-lh5-") continue;
        ++decoded;
        for (const std::size_t maxRead : kReadSizes) {
            SCOPED_TRACE(member.name + " read size " + std::to_string(maxRead));
            const CodecResult result =
                ExpandLh5(member.raw, static_cast<std::int32_t>(member.originalSize), 0, false, maxRead);
            ASSERT_EQ(result.output.size(), member.originalSize);
            EXPECT_EQ(LhaCrc16(result.output), member.crc);
            EXPECT_EQ(result.checksum, ByteSum(result.output));
            EXPECT_FALSE(result.inputShort);
        }
    }
    EXPECT_EQ(decoded, 5);
}

TEST(Lh5Fixtures, BareStreamsDecodeToTheirOriginals) {
    for (const std::string name : {"one.bin", "random20k.bin"}) {
        const Bytes original = ReadFileBytes(FixturePath(name));
        const Bytes stream = ReadFileBytes(FixturePath(name + ".lh5"));
        for (const std::size_t maxRead : kReadSizes) {
            SCOPED_TRACE(name + " read size " + std::to_string(maxRead));
            const CodecResult result =
                ExpandLh5(stream, static_cast<std::int32_t>(original.size()), 0, false, maxRead);
            EXPECT_TRUE(result.output == original);
            EXPECT_EQ(result.checksum, ByteSum(original));
            EXPECT_EQ(result.sourcePosition, static_cast<std::int64_t>(stream.size()));
            EXPECT_FALSE(result.inputShort);
        }
    }
}

}  // namespace
}  // namespace tavlin::test
