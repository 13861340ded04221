// Segment file names and the rules of the reader's property setters.
#include <gtest/gtest.h>

#include "segment_fixture.h"

namespace tavlin::test {
namespace {

TEST(SegmentFileName, ThreeDigitsThenMoreAndAFixedExtension) {
    struct Case {
        const char* extension;
        std::uint32_t number;
        const char* name;
    };
    const Case cases[] = {
        {"", 1, "disk.001"},   {"", 12, "disk.012"},  {"", 999, "disk.999"},
        {"", 1000, "disk.1000"}, {"", 1234, "disk.1234"}, {"", 65535, "disk.65535"},
        {"seg", 1, "disk.seg"}, {"seg", 7, "disk.seg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SegmentFileName("disk", c.extension, c.number), c.name);
    }
}

TEST(SegmentRecords, FieldsSitAtTheirOffsets) {
    TScanHeader scan;
    scan.TemplateLength = 0x0102;
    scan.ScanByte = 0x7F;
    scan.RecordWidth = 0x0A0B0C0D;
    scan.ListSize = 0x11223344;
    const auto bytes = EncodeScanHeader(scan);
    const std::array<std::uint8_t, kScanHeaderSize> expected = {'S', 'c', 'a', 'n', 0, 0, 0x02, 0x01, 0x7F,
                                                                0x0D, 0x0C, 0x0B, 0x0A, 0x44, 0x33, 0x22, 0x11};
    EXPECT_EQ(bytes, expected);

    TSegArcHeader arc;
    arc.SeqNumber = 0xBEEF;
    arc.ArcSize = 0xFFFFFFF0u;
    const std::array<std::uint8_t, kSegArcHeaderSize> arcExpected = {'S', 'A', 'r', 'c', 0, 0, 0xEF, 0xBE,
                                                                     0, 0, 0, 0, 0xF0, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(EncodeSegArcHeader(arc), arcExpected);
    EXPECT_EQ(DecodeSegArcHeader(arcExpected).ArcSize, 0xFFFFFFF0u);

    TSegmentHeader header;
    header.ArcCount = 0x0203;
    const auto headerBytes = EncodeSegmentHeader(header);
    EXPECT_EQ(headerBytes[6], 0x03);
    EXPECT_EQ(headerBytes[7], 0x02);
    TSegmentIDHeader id;
    id.SegNumber = 0x1234;
    const std::array<std::uint8_t, kSegmentIDHeaderSize> idExpected = {'S', 'S', 'e', 'g', 0, 0, 0x34, 0x12};
    EXPECT_EQ(EncodeSegmentIDHeader(id), idExpected);
}

class SegmentProperties : public SegmentTest {};

TEST_F(SegmentProperties, SettersKeepTheirRules) {
    TSegCompEZ fresh(*machine_);
    EXPECT_EQ(fresh.SegBaseName(), "SegData");
    EXPECT_EQ(fresh.SegDir(), "a:\\");
    EXPECT_EQ(fresh.SegExt(), "");
    EXPECT_EQ(fresh.SegSize(), 1440000);
    EXPECT_TRUE(fresh.SegPopUp);
    EXPECT_EQ(fresh.SegBuildMode, bmRecursive);
    EXPECT_EQ(fresh.SegCompType, coLZH);
    EXPECT_FALSE(fresh.SegMultiArc);

    fresh.SetSegBaseName("C:\\Some\\Folder\\DISK");
    EXPECT_EQ(fresh.SegBaseName(), "disk");
    fresh.SetSegBaseName("b:Data");
    EXPECT_EQ(fresh.SegBaseName(), "data");
    fresh.SetSegBaseName("");
    EXPECT_EQ(fresh.SegBaseName(), "SegData");

    fresh.SetSegExt("ABCD");
    EXPECT_EQ(fresh.SegExt(), "ABC");
    fresh.SetSegSize(100);
    EXPECT_EQ(fresh.SegSize(), 16384);
    fresh.SetSegSize(20000);
    EXPECT_EQ(fresh.SegSize(), 20000);

    fresh.SetSegTmpDir("C:\\Windows\\TEMP\\");
    EXPECT_EQ(fresh.SegTmpDir(), "c:\\windows\\temp");
    ASSERT_TRUE(Files().setCurrentDirectory("C:\\WINDOWS"));
    fresh.SetSegTmpDir("");
    EXPECT_EQ(fresh.SegTmpDir(), "c:\\windows");

    fresh.SetSegDir("");
    EXPECT_EQ(fresh.SegDir(), "a:\\");
    fresh.SetSegDir("Media\\Disks");
    EXPECT_EQ(fresh.SegDir(), "c:\\windows\\media\\disks");
}

}  // namespace
}  // namespace tavlin::test
