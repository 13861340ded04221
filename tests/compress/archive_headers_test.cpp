// The byte layout of the archive and member headers.
#include <gtest/gtest.h>

#include "compress/archive_headers.h"

namespace tavlin::test {
namespace {

TEST(ArchiveHeaders, ArchiveHeaderLayout) {
    TArchiveHeader header;
    header.MethodID = {'L', 'Z', 'H'};
    header.TotalSize = 0x01020304;
    header.KeyMode = 2;
    const TArchiveHeaderBytes expected = {'Z', 'I', 'V', 'I', 0x1A, 'L', 'Z', 'H', 0x04, 0x03, 0x02,
                                          0x01, 0x01, 0,   0,    0,   0,   2,   0,    0,    0};
    EXPECT_EQ(EncodeArchiveHeader(header), expected);
    const TArchiveHeader back = DecodeArchiveHeader(expected);
    EXPECT_EQ(back.MethodIDText(), "LZH");
    EXPECT_EQ(back.TotalSize, 0x01020304);
    EXPECT_EQ(back.ArchiveType, 1);
    EXPECT_EQ(back.KeyMode, 2);
}

TEST(ArchiveHeaders, MemberHeaderLayoutWithSignedFields) {
    TMemberHeader header;
    header.NameLength = -2;
    header.DosDateTime = 0x28214A3C;
    header.Attributes = static_cast<std::int16_t>(0x8021);
    header.ExpandedSize = 1000;
    header.CompressedSize = 0x7FFFFFFF;
    header.Method = 4;
    header.StoredChecksum = -1;
    header.Lock = 2;
    const TMemberHeaderBytes expected = {0xFE, 0xFF, 0x3C, 0x4A, 0x21, 0x28, 0x21, 0x80, 0xE8, 0x03, 0x00, 0x00, 0xFF,
                                         0xFF, 0xFF, 0x7F, 0x04, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00};
    EXPECT_EQ(EncodeMemberHeader(header), expected);
    const TMemberHeader back = DecodeMemberHeader(expected);
    EXPECT_EQ(back.NameLength, -2);
    EXPECT_EQ(back.DosDateTime, 0x28214A3Cu);
    EXPECT_EQ(back.Attributes, static_cast<std::int16_t>(0x8021));
    EXPECT_EQ(back.ExpandedSize, 1000);
    EXPECT_EQ(back.CompressedSize, 0x7FFFFFFF);
    EXPECT_EQ(back.Method, 4);
    EXPECT_EQ(back.StoredChecksum, -1);
    EXPECT_EQ(back.Lock, 2);
}

}  // namespace
}  // namespace tavlin::test
