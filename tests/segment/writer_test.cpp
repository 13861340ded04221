// The writer: segment files of the given size with their ID headers, list
// archives that the reader turns back into the archives' names, sets that the
// reader expands whatever the segment size, identical output for identical
// input, stale segments removed, and nothing left behind when writing fails.
#include <gtest/gtest.h>

#include "segment/segment_errors.h"
#include "segment/segment_writer.h"
#include "segment_fixture.h"

namespace tavlin::test {
namespace {

class SegmentWriter : public SegmentTest {
protected:
    std::vector<TSegArchiveInput> Archives() {
        PutArchive("C:\\ARCS\\1.TVA", {{"readme.txt", TextBytes(5000)}, {"docs\\guide.txt", TextBytes(70000, 5)}},
                   coNone);
        PutArchive("C:\\ARCS\\2.TVA", {{"empty.dat", {}}, {"data.bin", SampleInputs()[0].bytes}}, coLZH);
        PutArchive("C:\\ARCS\\3.TVA", {});
        return {{"C:\\PROD\\*.*", "C:\\ARCS\\1.TVA"},
                {"C:\\PROD\\BIN\\*.*", "C:\\ARCS\\2.TVA", 7},
                {"C:\\PROD\\NONE\\*.*", "C:\\ARCS\\3.TVA"}};
    }
    std::vector<std::string> Write(std::uint32_t segmentSize) {
        TSegWriteOptions options;
        options.Folder = kMedia;
        options.SegmentSize = segmentSize;
        return TSegmentSetWriter(Files(), options).Write(Archives());
    }
};

TEST_F(SegmentWriter, SegmentsHaveTheSizeAndHeadersAndReadBack) {
    for (const std::uint32_t size : {16384u, 50000u, 1440000u}) {
        SCOPED_TRACE(size);
        const auto paths = Write(size);
        ASSERT_FALSE(paths.empty());
        for (std::size_t i = 0; i < paths.size(); ++i) {
            EXPECT_EQ(paths[i], SegmentPath(static_cast<std::uint32_t>(i + 1)));
            const Bytes file = GetFile(paths[i]);
            if (i + 1 < paths.size()) {
                EXPECT_EQ(file.size(), size);
            }
            ASSERT_GT(file.size(), kSegmentIDHeaderSize);
            std::array<std::uint8_t, kSegmentIDHeaderSize> id;
            std::copy_n(file.begin(), id.size(), id.begin());
            EXPECT_EQ(DecodeSegmentIDHeader(id).ID, kSegmentIDHeaderID);
            EXPECT_EQ(DecodeSegmentIDHeader(id).SegNumber, i + 1);
        }
        std::vector<std::uint8_t> scanBytes;
        std::vector<std::vector<std::string>> names;
        Reader().OnSegBeforeExpand = [&](TSegArcList& list) {
            for (std::size_t i = 0; i < list.Count(); ++i) {
                scanBytes.push_back(list[i].ScanByte);
                names.push_back(list[i].ArcFiles);
            }
        };
        Reader().SegExpandAll();
        EXPECT_EQ(names, (std::vector<std::vector<std::string>>{
                             {"readme.txt", "docs\\guide.txt"}, {"empty.dat", "data.bin"}, {}}));
        EXPECT_EQ(scanBytes, (std::vector<std::uint8_t>{0, 7, 0}));
        EXPECT_EQ(GetFile("C:\\PROD\\readme.txt"), TextBytes(5000));
        EXPECT_EQ(GetFile("C:\\PROD\\docs\\guide.txt"), TextBytes(70000, 5));
        EXPECT_EQ(GetFile("C:\\PROD\\BIN\\empty.dat"), Bytes{});
        EXPECT_EQ(GetFile("C:\\PROD\\BIN\\data.bin"), SampleInputs()[0].bytes);
        EXPECT_EQ(Reader().SegSource.Lines(),
                  (std::vector<std::string>{"C:\\PROD\\*.*", "C:\\PROD\\BIN\\*.*", "C:\\PROD\\NONE\\*.*"}));
    }
}

TEST_F(SegmentWriter, SameInputGivesTheSameBytesAndStaleSegmentsGo) {
    const auto small = Write(16384);
    ASSERT_GE(small.size(), 3u);
    std::vector<Bytes> first;
    for (const auto& path : small) first.push_back(GetFile(path));
    PutFile(SegmentPath(static_cast<std::uint32_t>(small.size() + 1)), BytesOf("left from a longer set"));
    const auto again = Write(16384);
    ASSERT_EQ(again, small);
    for (std::size_t i = 0; i < again.size(); ++i) EXPECT_EQ(GetFile(again[i]), first[i]);
    EXPECT_FALSE(Exists(SegmentPath(static_cast<std::uint32_t>(small.size() + 1))));

    const auto large = Write(1440000);
    EXPECT_EQ(large.size(), 1u);
    EXPECT_FALSE(Exists(SegmentPath(2)));
}

TEST_F(SegmentWriter, ListFilesHoldOneZeroEndedRecordPerName) {
    const TListFile list = BuildListFile({"a.txt", "sub\\longer.txt", ""});
    EXPECT_EQ(list.RecordWidth, 15u);
    Bytes expected(45, 0);
    const std::string a = "a.txt", b = "sub\\longer.txt";
    std::copy(a.begin(), a.end(), expected.begin());
    std::copy(b.begin(), b.end(), expected.begin() + 15);
    EXPECT_EQ(list.Bytes, expected);
    EXPECT_EQ(BuildListFile({}).RecordWidth, 1u);
}

TEST_F(SegmentWriter, RefusesWhatTheReaderCouldNotTakeBack) {
    EXPECT_THROW(BuildListFile({"trailing blank "}), ESegError);
    EXPECT_THROW(BuildListFile({std::string("zero\0byte", 9)}), ESegError);
    EXPECT_THROW(BuildListFile({std::string(8191, 'n')}), ESegError);
    EXPECT_NO_THROW(BuildListFile({std::string(8190, 'n')}));
    EXPECT_THROW(BuildListFile({"\\rooted.txt"}), EUnsafeMemberName);
    EXPECT_THROW(BuildListFile({"..\\up.txt"}), EUnsafeMemberName);

    TSegWriteOptions options;
    options.Folder = kMedia;
    EXPECT_THROW(TSegmentSetWriter(Files(), options).Write({{std::string(8192, 't'), "C:\\NONE.TVA"}}), ESegError);
    options.SegmentSize = 8;
    EXPECT_THROW(TSegmentSetWriter(Files(), options).Write({}), ESegError);
}

TEST_F(SegmentWriter, AFailedWriteLeavesNoSegments) {
    auto archives = Archives();
    // An archive that vanishes between its listing and its copy: a folder in its place.
    TSegWriteOptions options;
    options.Folder = kMedia;
    options.SegmentSize = 16384;
    archives.push_back({"C:\\PROD\\GONE\\*.*", "C:\\ARCS\\GONE.TVA"});
    EXPECT_THROW(TSegmentSetWriter(Files(), options).Write(archives), Exception);
    EXPECT_FALSE(Exists(SegmentPath(1)));

    // Writing into a folder that cannot take files fails after the first segment.
    options.Folder = "C:\\NO\\SUCH\\FOLDER";
    archives.pop_back();
    EXPECT_THROW(TSegmentSetWriter(Files(), options).Write(archives), Exception);
}

TEST_F(SegmentWriter, SixtyFiveThousandArchivesAtMost) {
    PutArchive("C:\\ARCS\\E.TVA", {});
    std::vector<TSegArchiveInput> archives(65536, {"C:\\X\\", "C:\\ARCS\\E.TVA"});
    TSegWriteOptions options;
    options.Folder = kMedia;
    EXPECT_THROW(TSegmentSetWriter(Files(), options).Write(archives), ESegError);
    EXPECT_FALSE(Exists(SegmentPath(1)));
}

}  // namespace
}  // namespace tavlin::test
