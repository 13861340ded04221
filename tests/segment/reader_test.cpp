// The reader on sets built record by record: archives expand into their
// templates' folders, records read the same wherever the segment boundaries
// fall, the list file's records, trimming of the list, events and their order,
// progress, temporary files, and SegExpandAll's redirection through OnCheckFile.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "segment_fixture.h"

namespace tavlin::test {
namespace {

class SegmentReader : public SegmentTest {
protected:
    // Two archives: two files into C:\OUT\A\ (one in a sub-folder), one into C:\OUT\B\.
    Bytes TwoArchiveStream(std::size_t firstTemplatePadding = 0) {
        const std::string firstTemplate = "C:\\OUT\\A\\" + std::string(firstTemplatePadding, 'x') + "*.*";
        return StreamBuilder()
            .Header(2)
            .Scan(firstTemplate, ListArchiveOf({"ONE.TXT", "SUB\\TWO.TXT"}, 20), 20)
            .Scan("C:\\OUT\\B\\*.*", ListArchiveOf({"THREE.TXT"}, 9, ' '), 9)
            .Archive(0, BuildArchive({StoredMember("ONE.TXT", BytesOf("first file")),
                                      StoredMember("SUB\\TWO.TXT", TextBytes(300))}))
            .Archive(1, BuildArchive({StoredMember("THREE.TXT", BytesOf("third"))}))
            .bytes;
    }
    void ExpectTwoArchivesExpanded() {
        EXPECT_EQ(GetFile("C:\\OUT\\A\\ONE.TXT"), BytesOf("first file"));
        EXPECT_EQ(GetFile("C:\\OUT\\A\\SUB\\TWO.TXT"), TextBytes(300));
        EXPECT_EQ(GetFile("C:\\OUT\\B\\THREE.TXT"), BytesOf("third"));
    }
};

TEST_F(SegmentReader, ExpandsEveryArchiveIntoItsTemplatesFolder) {
    WriteSegments(TwoArchiveStream(), 1440000);
    Reader().SetTargetPath("C:\\IGNORED");
    Reader().SegExpandAll();
    ExpectTwoArchivesExpanded();
    EXPECT_FALSE(Files().directoryExists("C:\\IGNORED"));
    EXPECT_EQ(Reader().TargetPath(), "");
    EXPECT_EQ(Reader().SegSource.Lines(), (std::vector<std::string>{"C:\\OUT\\A\\*.*", "C:\\OUT\\B\\*.*"}));
    const TSegArcList& list = Reader().ArchiveList();
    ASSERT_EQ(list.Count(), 2u);
    EXPECT_EQ(list[0].ArcDir, "C:\\OUT\\A\\");
    EXPECT_EQ(list[1].SeqNumber, 1);
    EXPECT_EQ(list[0].ArcFiles, (std::vector<std::string>{"C:\\OUT\\A\\ONE.TXT", "C:\\OUT\\A\\SUB\\TWO.TXT"}));
    // Nothing of the run is left in the temporary folder.
    EXPECT_TRUE(Files().findAll(std::string(kTemp) + "\\*.*").size() <= 2u);  // "." and ".." at most
}

TEST_F(SegmentReader, RecordsReadTheSameWhereverSegmentsEnd) {
    // Small payloads put every record across boundaries at each of its offsets;
    // a longer first template moves every later record along.
    for (std::uint32_t payload = 1; payload <= 40; ++payload) {
        SCOPED_TRACE("payload " + std::to_string(payload));
        const std::uint32_t count = WriteSegments(TwoArchiveStream(), payload + kSegmentIDHeaderSize);
        Reader().SegExpandAll();
        ExpectTwoArchivesExpanded();
        for (std::uint32_t n = 1; n <= count; ++n) Files().deleteFile(SegmentPath(n));
        Files().deleteFile("C:\\OUT\\B\\THREE.TXT");
    }
    for (std::size_t shift = 1; shift < 24; ++shift) {
        SCOPED_TRACE("shift " + std::to_string(shift));
        const std::uint32_t count = WriteSegments(TwoArchiveStream(shift), 24 + kSegmentIDHeaderSize);
        Reader().SegExpandAll();
        EXPECT_EQ(GetFile("C:\\OUT\\B\\THREE.TXT"), BytesOf("third"));
        for (std::uint32_t n = 1; n <= count; ++n) Files().deleteFile(SegmentPath(n));
        Files().deleteFile("C:\\OUT\\B\\THREE.TXT");
    }
}

TEST_F(SegmentReader, MoreThan999SegmentsUseFourDigitNames) {
    const std::uint32_t count = WriteSegments(TwoArchiveStream(400), 9);
    ASSERT_GT(count, 1000u);
    EXPECT_TRUE(Exists(std::string(kMedia) + "\\disk.1000"));
    std::vector<std::uint16_t> before;
    Reader().OnSegBefore = [&](TSegMode, const std::string& name, std::uint16_t number) {
        before.push_back(number);
        if (number == 1000) {
            EXPECT_EQ(name, "disk.1000");
        }
    };
    Reader().SegExpandAll();
    ExpectTwoArchivesExpanded();
    EXPECT_EQ(before.size(), count);
}

TEST_F(SegmentReader, ListFileRecordsTemplatesAndEmptyLists) {
    // Three records of width 80, the second all blanks: three names, the second empty.
    Bytes list;
    for (const char* name : {"A.TXT", "", "C.TXT"}) {
        Bytes record(80, ' ');
        std::copy(name, name + std::strlen(name), record.begin());
        list.insert(list.end(), record.begin(), record.end());
    }
    // The last record may be shorter than the width.
    const Bytes shortLast = BytesOf(std::string("X.TXT\0zz", 8) + std::string(70, ' ') + "Y.TXT");
    const Bytes stream = StreamBuilder()
                             .Header(3)
                             .Scan("C:\\OUT\\ONE\\*.*", BuildArchive({StoredMember("L.LST", list)}), 80)
                             .Scan(std::string("C:\\OUT\\TWO\\x\0C:\\ELSEWHERE\\", 26),
                                   BuildArchive({StoredMember("L.LST", shortLast)}), 78)
                             .Scan("C:\\OUT\\THREE\\*.*", {}, 5)
                             .Archive(0, BuildArchive({StoredMember("A.TXT", BytesOf("a")),
                                                       StoredMember("C.TXT", BytesOf("c"))}))
                             .Archive(1, BuildArchive({StoredMember("X.TXT", BytesOf("x")),
                                                       StoredMember("Y.TXT", BytesOf("y"))}))
                             .Archive(2, BuildArchive({StoredMember("NEVER.TXT", BytesOf("n"))}))
                             .bytes;
    WriteSegments(stream, 1000);
    std::vector<std::vector<std::string>> scanned;
    std::vector<std::string> templates;
    Reader().OnSegBeforeExpand = [&](TSegArcList& arcs) {
        for (std::size_t i = 0; i < arcs.Count(); ++i) {
            scanned.push_back(arcs[i].ArcFiles);
            templates.push_back(arcs[i].Template);
        }
    };
    Reader().SegExpandAll();
    EXPECT_EQ(scanned, (std::vector<std::vector<std::string>>{{"A.TXT", "", "C.TXT"}, {"X.TXT", "Y.TXT"}, {}}));
    EXPECT_EQ(templates[1], "C:\\OUT\\TWO\\x");  // the template ends at its zero byte
    EXPECT_EQ(GetFile("C:\\OUT\\TWO\\Y.TXT"), BytesOf("y"));
    EXPECT_TRUE(Exists("C:\\OUT\\ONE\\C.TXT"));
    // An archive without a list writes nothing: its name filter is empty.
    EXPECT_FALSE(Files().directoryExists("C:\\OUT\\THREE"));
}

TEST_F(SegmentReader, OwnerTrimsArchivesAndNamesBeforeExpansion) {
    WriteSegments(TwoArchiveStream(), 100);
    Reader().OnSegBeforeExpand = [](TSegArcList& arcs) {
        arcs[1].ArcFiles.clear();
        arcs.Delete(0);
    };
    Reader().SegExpandAll();
    EXPECT_FALSE(Files().directoryExists("C:\\OUT\\A"));
    EXPECT_FALSE(Exists("C:\\OUT\\B\\THREE.TXT"));
    EXPECT_EQ(Reader().SegSource.Lines(), (std::vector<std::string>{"C:\\OUT\\B\\*.*"}));

    Reader().OnSegBeforeExpand = [](TSegArcList& arcs) { arcs.Delete(0); };
    Reader().SegExpandAll();
    EXPECT_FALSE(Files().directoryExists("C:\\OUT\\A"));
    EXPECT_EQ(GetFile("C:\\OUT\\B\\THREE.TXT"), BytesOf("third"));

    Reader().OnSegBeforeExpand = [](TSegArcList& arcs) {
        auto& names = arcs[0].ArcFiles;
        names.erase(names.begin());
    };
    Reader().SegExpandAll();
    EXPECT_FALSE(Exists("C:\\OUT\\A\\ONE.TXT"));
    EXPECT_TRUE(Exists("C:\\OUT\\A\\SUB\\TWO.TXT"));
}

TEST_F(SegmentReader, EventsComeInTheirOrder) {
    const Bytes stream = OneArchiveStream("C:\\OUT\\*.*", {StoredMember("A.TXT", TextBytes(40000)),
                                                          StoredMember("B.TXT", BytesOf("b"))});
    ASSERT_EQ(WriteSegments(stream, 16384), 3u);
    std::vector<std::string> events;
    std::vector<std::int32_t> progress;
    Reader().OnSegBefore = [&](TSegMode mode, const std::string& name, std::uint16_t number) {
        EXPECT_EQ(mode, smExpand);
        events.push_back("before " + name + " " + std::to_string(number));
    };
    Reader().OnSegAfter = [&](TSegMode, const std::string& name, std::uint16_t number) {
        events.push_back("after " + name + " " + std::to_string(number));
    };
    Reader().OnSegBeforeExpand = [&](TSegArcList&) { events.push_back("scanned"); };
    Reader().OnSegShowProgress = [&](std::int32_t percent) {
        if (progress.empty()) events.push_back("progress");
        progress.push_back(percent);
    };
    Reader().OnCheckFile = [&](std::string& path, TCProcessMode mode) {
        EXPECT_EQ(mode, cmExpand);
        events.push_back("file " + path);
    };
    Reader().OnSegAfterArchive = [&](const TSegArcHeader& header, const std::string& templateText) {
        events.push_back("archive " + std::to_string(header.SeqNumber) + " " + templateText);
    };
    Reader().SegExpandAll();

    // Segments 2 and 3 are reached while the archive is copied out.
    const std::vector<std::string> expected = {"before disk.001 1", "scanned",          "progress",
                                               "after disk.001 1",  "before disk.002 2", "after disk.002 2",
                                               "before disk.003 3", "file C:\\OUT\\A.TXT", "file C:\\OUT\\B.TXT",
                                               "archive 0 C:\\OUT\\*.*"};
    EXPECT_EQ(events, expected);
    ASSERT_FALSE(progress.empty());
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_EQ(progress.back(), 100);
}

TEST_F(SegmentReader, LargeArchivesCopyWholeInBlocksAcrossReadsAndSegments) {
    // Segments larger than one read of a segment file, and archives larger than
    // both, so that reads end inside blocks, blocks inside segments and archives
    // anywhere; noise shows any byte out of place.
    const Bytes first = BuildArchive({StoredMember("A.BIN", RandomBytes(700001, 1)),
                                      StoredMember("B.BIN", RandomBytes(300000, 2))});
    const Bytes second = BuildArchive({StoredMember("C.BIN", RandomBytes(9000, 3))});
    const Bytes stream = StreamBuilder()
                             .Header(2)
                             .Scan("C:\\OUT\\A\\*.*", ListArchiveOf({"A.BIN", "B.BIN"}, 16), 16)
                             .Scan("C:\\OUT\\B\\*.*", ListArchiveOf({"C.BIN"}, 16), 16)
                             .Archive(0, first)
                             .Archive(1, second)
                             .bytes;
    ASSERT_EQ(WriteSegments(stream, 300007), 4u);
    std::vector<std::int32_t> progress;
    Reader().OnSegShowProgress = [&](std::int32_t percent) { progress.push_back(percent); };
    Reader().SegExpandAll();

    EXPECT_EQ(GetFile("C:\\OUT\\A\\A.BIN"), RandomBytes(700001, 1));
    EXPECT_EQ(GetFile("C:\\OUT\\A\\B.BIN"), RandomBytes(300000, 2));
    EXPECT_EQ(GetFile("C:\\OUT\\B\\C.BIN"), RandomBytes(9000, 3));
    // One report per block of 8192 bytes of each archive.
    std::vector<std::int32_t> expected;
    for (const std::uint64_t size : {first.size(), second.size()}) {
        for (std::uint64_t copied = 0; copied < size;) {
            copied = std::min<std::uint64_t>(copied + 8192, size);
            expected.push_back(static_cast<std::int32_t>(copied * 100 / size));
        }
    }
    EXPECT_EQ(progress, expected);
}

TEST_F(SegmentReader, ProgressReaches100ForArchivesPastTheIntegerRange) {
    // 30 MB: the percentage of the last blocks would overflow 32-bit arithmetic.
    Bytes big(30'000'000, 0);
    Append(big, std::array<std::uint8_t, 1>{1});
    const Bytes stream = StreamBuilder().Header(1).Scan("C:\\OUT\\*.*", {}, 1).Archive(0, big).bytes;
    WriteSegments(stream, 16'000'000);
    std::int32_t last = -1;
    bool monotonic = true;
    Reader().OnSegShowProgress = [&](std::int32_t percent) {
        monotonic = monotonic && percent >= last && percent <= 100;
        last = percent;
    };
    // The bytes are no archive: the expansion fails after the copy.
    EXPECT_THROW(Reader().SegExpandAll(), EInvalidHeader);
    EXPECT_TRUE(monotonic);
    EXPECT_EQ(last, 100);
    EXPECT_FALSE(Exists(std::string(kTemp) + "\\disk.$A$"));
}

TEST_F(SegmentReader, ListArchivesNeverReachTheOwnersHandlers) {
    // A list archive of an unknown method: only the owner's OnRecognize would take it.
    Bytes list = ListArchiveOf({"A.TXT"}, 8);
    list[5] = 'Z';
    WriteSegments(StreamBuilder()
                      .Header(1)
                      .Scan("C:\\OUT\\*.*", list, 8)
                      .Archive(0, BuildArchive({StoredMember("A.TXT", BytesOf("a"))}))
                      .bytes,
                  2000);
    int recognized = 0;
    Reader().OnRecognize = [&](const std::string&, bool& accept) {
        ++recognized;
        accept = true;
    };
    Reader().OnCheckFile = [](std::string& path, TCProcessMode) { FAIL() << "saw " << path; };
    EXPECT_THROW(Reader().SegExpandAll(), EUnrecognizedCompressionMethod);
    EXPECT_EQ(recognized, 0);
    EXPECT_TRUE(static_cast<bool>(Reader().OnRecognize));  // the handlers are back
    EXPECT_TRUE(static_cast<bool>(Reader().OnCheckFile));
}

TEST_F(SegmentReader, CheckFileRedirectsEachMemberAsTheExpansionFormDoes) {
    WriteSegments(TwoArchiveStream(), 50);
    const std::string expandDir = "C:\\WINDOWS\\Temp\\tvlp_1";
    Reader().OnCheckFile = [&](std::string& path, TCProcessMode) { path = expandDir + path.substr(2); };
    Reader().SegExpandAll();
    EXPECT_EQ(GetFile(expandDir + "\\OUT\\A\\SUB\\TWO.TXT"), TextBytes(300));
    EXPECT_EQ(GetFile(expandDir + "\\OUT\\B\\THREE.TXT"), BytesOf("third"));
    EXPECT_FALSE(Files().directoryExists("C:\\OUT"));
}

}  // namespace
}  // namespace tavlin::test
