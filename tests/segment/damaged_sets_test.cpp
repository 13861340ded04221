// Damaged sets end with their messages and never hang: wrong record IDs and
// sequence numbers, lengths the reader cannot hold, damaged archives, sets that
// end in the middle of a record (which ask for the next segment until the user
// cancels), unreadable segment files, and names that would leave their folder.
#include <gtest/gtest.h>

#include <functional>

#include "segment_fixture.h"

namespace tavlin::test {
namespace {

// Where the records of the damaged sets' stream begin.
struct Layout {
    std::size_t scan0 = 0, scan1 = 0, arc0 = 0, arc1 = 0, end = 0;
};

struct DamageCase {
    const char* name;
    std::function<void(Bytes& stream, const Layout& at)> damage;
    const char* message;
    bool asksForMore = false;  // the set ends early: the next segment is asked for and refused
};

void Put16(Bytes& stream, std::size_t at, std::uint16_t value) {
    stream[at] = static_cast<std::uint8_t>(value);
    stream[at + 1] = static_cast<std::uint8_t>(value >> 8);
}
void Put32(Bytes& stream, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) stream[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

class DamagedSets : public SegmentTest, public ::testing::WithParamInterface<DamageCase> {
protected:
    Bytes Stream(Layout& at) {
        StreamBuilder b;
        b.Header(2);
        at.scan0 = b.bytes.size();
        b.Scan("C:\\OUT\\A\\*.*", ListArchiveOf({"ONE.TXT"}, 10), 10);
        at.scan1 = b.bytes.size();
        b.Scan("C:\\OUT\\B\\*.*", ListArchiveOf({"TWO.TXT"}, 10), 10);
        at.arc0 = b.bytes.size();
        b.Archive(0, BuildArchive({StoredMember("ONE.TXT", TextBytes(500))}));
        at.arc1 = b.bytes.size();
        b.Archive(1, BuildArchive({StoredMember("TWO.TXT", BytesOf("two"))}));
        at.end = b.bytes.size();
        return b.bytes;
    }
    void ExpectNoTemporaryFiles() {
        for (const auto& entry : Files().findAll(std::string(kTemp) + "\\*")) {
            EXPECT_TRUE(entry.name == "." || entry.name == "..") << entry.name;
        }
    }
};

TEST_P(DamagedSets, FailWithTheirMessage) {
    const DamageCase& c = GetParam();
    Layout at;
    Bytes stream = Stream(at);
    c.damage(stream, at);
    for (const std::uint32_t segmentSize : {100u, 100000u}) {
        SCOPED_TRACE(segmentSize);
        const std::uint32_t count = WriteSegments(stream, segmentSize);
        if (c.asksForMore) ReplyToBox(MessageResult::Cancel);
        try {
            Reader().SegExpandAll();
            ADD_FAILURE() << "no error";
        } catch (const Exception& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
        EXPECT_TRUE(replies_.empty());
        if (c.asksForMore) {
            ASSERT_FALSE(asked_.empty());
            EXPECT_EQ(asked_.back().text.rfind("Unable to locate \"" + SegmentFileName("disk", "", count + 1), 0), 0u);
        }
        ExpectNoTemporaryFiles();
        for (std::uint32_t n = 1; n <= count; ++n) Files().deleteFile(SegmentPath(n));
    }
}

const std::string kAborted = "(DEdaZedozave) Operation aborted by user";

INSTANTIATE_TEST_SUITE_P(
    Records, DamagedSets,
    ::testing::Values(
        DamageCase{"SegmentHeaderID", [](Bytes& s, const Layout&) { s[3] = 'x'; },
                   "(DEdaZedozave) Invalid Segment Header ID"},
        DamageCase{"ScanID", [](Bytes& s, const Layout& at) { s[at.scan1] = 's'; },
                   "(DEdaZedozave) Invalid Scan ID Header"},
        DamageCase{"ArchiveID", [](Bytes& s, const Layout& at) { s[at.arc1 + 1] = 'a'; },
                   "(DEdaZedozave) Invalid Archive ID Header"},
        DamageCase{"SequenceAhead", [](Bytes& s, const Layout& at) { Put16(s, at.arc0 + 6, 1); },
                   "(DEdaZedozave) Invalid Archive sequence number"},
        DamageCase{"TemplateTooLong", [](Bytes& s, const Layout& at) { Put16(s, at.scan0 + 6, 8192); },
                   "(DEdaZedozave) Invalid template length"},
        DamageCase{"RecordWidthZero", [](Bytes& s, const Layout& at) { Put32(s, at.scan1 + 9, 0); },
                   "(DEdaZedozave) Invalid list record width"},
        DamageCase{"RecordWidthTooLarge", [](Bytes& s, const Layout& at) { Put32(s, at.scan0 + 9, 8192); },
                   "(DEdaZedozave) Invalid list record width"},
        DamageCase{"MemberData", [](Bytes& s, const Layout& at) { s[at.arc1 - 10] ^= 0x55; },
                   "Bad checksum during expansion -- data may be invalid"},
        DamageCase{"ListArchiveHeader", [](Bytes& s, const Layout& at) { s[at.scan0 + 17 + 12] = 'Q'; },
                   "Can't recognize compressed file header"},
        DamageCase{"EndsInsideTheSegmentHeader", [](Bytes& s, const Layout&) { s.resize(15); }, kAborted.c_str(),
                   true},
        DamageCase{"EndsInsideAScanRecord", [](Bytes& s, const Layout& at) { s.resize(at.scan1 + 9); },
                   kAborted.c_str(), true},
        DamageCase{"EndsInsideAnArchiveHeader", [](Bytes& s, const Layout& at) { s.resize(at.arc1 + 3); },
                   kAborted.c_str(), true},
        DamageCase{"EndsInsideAnArchive", [](Bytes& s, const Layout& at) { s.resize(at.arc1 - 1); },
                   kAborted.c_str(), true},
        DamageCase{"ListSizeBeyondTheEnd",
                   [](Bytes& s, const Layout& at) { Put32(s, at.scan1 + 13, static_cast<std::uint32_t>(s.size())); },
                   kAborted.c_str(), true},
        DamageCase{"ArchiveCountBeyondTheScans", [](Bytes& s, const Layout&) { Put16(s, 6, 3); },
                   "(DEdaZedozave) Invalid Scan ID Header"}),
    [](const ::testing::TestParamInfo<DamageCase>& param) { return std::string(param.param.name); });

class DamagedSegmentFiles : public SegmentTest {};

TEST_F(DamagedSegmentFiles, UnreadableSegmentFilesFailWithoutAPrompt) {
    const Bytes stream = OneArchiveStream("C:\\OUT\\*.*", {StoredMember("A.TXT", TextBytes(500))});
    struct Case {
        std::uint32_t segment;
        Bytes content;
    };
    const Case cases[] = {{1, BytesOf("SSeg\1")}, {2, BytesOf("SSeg")}, {2, BytesOf("XSeg\0\0\2\0payload")}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.segment);
        WriteSegments(stream, 200);
        PutFile(SegmentPath(c.segment), c.content);
        try {
            Reader().SegExpandAll();
            ADD_FAILURE() << "no error";
        } catch (const ESegError& error) {
            EXPECT_STREQ(error.what(), "(DEdaZedozave) Stream open failed");
        }
        EXPECT_TRUE(asked_.empty());
    }
}

TEST_F(DamagedSegmentFiles, NamesThatWouldLeaveTheirFolderAreRefused) {
    struct Case {
        const char* name;
        Bytes stream;
    };
    const Case cases[] = {
        {"list file climbing out", StreamBuilder()
                                       .Header(1)
                                       .Scan("C:\\OUT\\*.*", ListArchiveOf({"A.TXT"}, 8, '\0', "..\\evil.lst"), 8)
                                       .Archive(0, BuildArchive({StoredMember("A.TXT", BytesOf("a"))}))
                                       .bytes},
        {"list file from the root", StreamBuilder()
                                        .Header(1)
                                        .Scan("C:\\OUT\\*.*", ListArchiveOf({"A.TXT"}, 8, '\0', "\\evil.lst"), 8)
                                        .Archive(0, BuildArchive({StoredMember("A.TXT", BytesOf("a"))}))
                                        .bytes},
        {"member from the root", OneArchiveStream("C:\\OUT\\*.*", {StoredMember("A.TXT", BytesOf("a")),
                                                                   StoredMember("\\ROOT.TXT", BytesOf("r"))})},
        {"member climbing out", OneArchiveStream("C:\\OUT\\SUB\\*.*", {StoredMember("A.TXT", BytesOf("a")),
                                                                       StoredMember("..\\UP.TXT", BytesOf("u"))})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteSegments(c.stream, 300);
        EXPECT_THROW(Reader().SegExpandAll(), EUnsafeMemberName);
        EXPECT_FALSE(Exists("C:\\evil.lst"));
        EXPECT_FALSE(Exists("C:\\ROOT.TXT"));
        EXPECT_FALSE(Exists("C:\\OUT\\UP.TXT"));
        // The archive's safe members are not written either.
        EXPECT_FALSE(Exists("C:\\OUT\\A.TXT"));
        EXPECT_FALSE(Exists("C:\\OUT\\SUB\\A.TXT"));
    }
}

TEST_F(DamagedSegmentFiles, AListArchiveWithoutAListFileFails) {
    WriteSegments(StreamBuilder()
                      .Header(1)
                      .Scan("C:\\OUT\\*.*", BuildArchive({}), 8)
                      .Archive(0, BuildArchive({StoredMember("A.TXT", BytesOf("a"))}))
                      .bytes,
                  300);
    try {
        Reader().SegExpandAll();
        ADD_FAILURE() << "no error";
    } catch (const ESegError& error) {
        EXPECT_STREQ(error.what(), "(DEdaZedozave) Stream open failed");
    }
}

}  // namespace
}  // namespace tavlin::test
