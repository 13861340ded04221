// The archive component against a hosted Windows machine: expansion into
// folders with dates and attributes, the name filter, the path hook, keys,
// damaged members, free space, folder creation, and the writer's file archives,
// also with the members compressed ahead of it.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>

#include "compress/archive_builder.h"
#include "compress/zivi_archive.h"
#include "platform/hosted/hosted_machine.h"

namespace tavlin::test {
namespace {

namespace fs = std::filesystem;

const std::uint32_t kDate = 0x2C214A3C;  // 2002-01-01 09:17:56

class ArchiveFiles : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("tavlin-archive-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
        machine_ = hosted::HostedMachine::open(folder_);
        archive_ = std::make_unique<TZiviArchive>(Files());
        Archive().SetTargetPath("C:\\OUT");
        Archive().MakeDirectories = true;
    }
    void TearDown() override {
        archive_.reset();
        machine_.reset();
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    FileSystem& Files() { return machine_->files(); }
    TZiviArchive& Archive() { return *archive_; }

    void WriteFile(const std::string& path, const Bytes& bytes) {
        Files().forceDirectories(path.substr(0, path.rfind('\\')));
        Files().create(path)->writeBuffer(bytes.data(), bytes.size());
    }
    Bytes ReadFile(const std::string& path) {
        const auto file = Files().openRead(path);
        Bytes bytes(static_cast<std::size_t>(file->size()));
        if (!bytes.empty()) file->readBuffer(bytes.data(), bytes.size());
        return bytes;
    }
    // Puts an archive on drive C: and expands it with the given name filter.
    void Expand(const Bytes& archive, std::vector<std::string>* names = nullptr) {
        WriteFile("C:\\ARCHIVE.TVA", archive);
        Archive().ExpandArchive("C:\\ARCHIVE.TVA", names);
    }
    bool Exists(const std::string& path) { return Files().fileExists(path); }

    fs::path folder_;
    std::unique_ptr<hosted::HostedMachine> machine_;
    std::unique_ptr<TZiviArchive> archive_;
};

RawMember Dated(RawMember member, std::int16_t attributes = 0) {
    member.header.DosDateTime = kDate;
    member.header.Attributes = attributes;
    return member;
}

TEST_F(ArchiveFiles, ExpandsMembersWithDatesAndAttributes) {
    const Bytes text = TextBytes(700);
    std::vector<std::string> names = {"sub\\TEXT.TXT", "ro.dat"};
    Expand(BuildArchive({Dated(StoredMember("SUB\\TEXT.TXT", text), faArchive),
                         Dated(StoredMember("RO.DAT", BytesOf("fixed")), faReadOnly | faHidden),
                         StoredMember("OTHER.TXT", BytesOf("not wanted"))}),
           &names);
    EXPECT_EQ(ReadFile("C:\\OUT\\SUB\\TEXT.TXT"), text);
    EXPECT_EQ(ReadFile("C:\\OUT\\RO.DAT"), BytesOf("fixed"));
    EXPECT_EQ(Files().lastWriteTime("C:\\OUT\\SUB\\TEXT.TXT"), kDate);
    EXPECT_EQ(Files().attributes("C:\\OUT\\RO.DAT").value_or(0) & (faReadOnly | faHidden), faReadOnly | faHidden);
    EXPECT_FALSE(Exists("C:\\OUT\\OTHER.TXT"));
    // The filter ignored letter case; the list now holds the paths written.
    EXPECT_EQ(names, (std::vector<std::string>{"C:\\OUT\\SUB\\TEXT.TXT", "C:\\OUT\\RO.DAT"}));
}

TEST_F(ArchiveFiles, RootedNamesIgnoreTheTargetFolder) {
    Expand(BuildArchive({StoredMember("\\ROOTED.TXT", BytesOf("r"))}));
    EXPECT_TRUE(Exists("C:\\ROOTED.TXT"));
    EXPECT_FALSE(Exists("C:\\OUT\\ROOTED.TXT"));
}

TEST_F(ArchiveFiles, CheckFileHandlerRedirectsSkipsAndStops) {
    std::vector<std::string> seen;
    Archive().OnCheckFile = [&](std::string& path, TCProcessMode mode) {
        EXPECT_EQ(mode, cmExpand);
        seen.push_back(path);
        if (path.ends_with("SKIP.TXT")) path.clear();
        if (path.ends_with("MOVE.TXT")) path = "C:\\ELSEWHERE\\MOVED.TXT";
        if (path.ends_with("STOP.TXT")) path = "*";
    };
    std::vector<std::string> names = {"A.TXT", "SKIP.TXT", "MOVE.TXT", "STOP.TXT", "LATE.TXT"};
    Expand(BuildArchive({StoredMember("A.TXT", BytesOf("a")), StoredMember("SKIP.TXT", BytesOf("s")),
                         StoredMember("MOVE.TXT", BytesOf("m")), StoredMember("STOP.TXT", BytesOf("t")),
                         StoredMember("LATE.TXT", BytesOf("l"))}),
           &names);
    EXPECT_EQ(seen.size(), 4u);
    EXPECT_EQ(names, (std::vector<std::string>{"C:\\OUT\\A.TXT", "C:\\ELSEWHERE\\MOVED.TXT"}));
    EXPECT_FALSE(Exists("C:\\OUT\\SKIP.TXT"));
    EXPECT_FALSE(Exists("C:\\OUT\\STOP.TXT"));
    EXPECT_FALSE(Exists("C:\\OUT\\LATE.TXT"));
}

TEST_F(ArchiveFiles, UnsafeNamesAreRefusedAndNotWritten) {
    for (const char* name : {"..\\ESCAPE.TXT", "SUB\\..\\..\\ESCAPE.TXT", "C:\\ESCAPE.TXT", "C:ESCAPE.TXT",
                             "SUB/../../ESCAPE.TXT", "\\\\HOST\\SHARE\\ESCAPE.TXT"}) {
        SCOPED_TRACE(name);
        std::vector<std::string> names = {"FIRST.TXT", name};
        try {
            Expand(BuildArchive({StoredMember("FIRST.TXT", BytesOf("1")), StoredMember(name, BytesOf("x"))}), &names);
            ADD_FAILURE() << "expanded";
        } catch (const EUnsafeMemberName& error) {
            EXPECT_EQ(std::string(error.what()), std::string("Unsafe member name in archive: ") + name);
        }
        EXPECT_TRUE(Exists("C:\\OUT\\FIRST.TXT"));
        EXPECT_FALSE(Exists("C:\\ESCAPE.TXT"));
        EXPECT_FALSE(Exists("C:\\OUT\\ESCAPE.TXT"));
        // An error leaves the name list as it was.
        EXPECT_EQ(names.size(), 2u);
        EXPECT_EQ(names[0], "FIRST.TXT");
    }
}

TEST_F(ArchiveFiles, OutputThatCannotBeCreatedIsSkippedOrRaised) {
    Archive().MakeDirectories = false;
    const Bytes archive =
        BuildArchive({StoredMember("MISSING\\A.TXT", BytesOf("a")), StoredMember("B.TXT", BytesOf("b"))});
    Files().createDirectory("C:\\OUT");
    std::vector<std::string> names = {"MISSING\\A.TXT", "B.TXT"};
    Expand(archive, &names);
    EXPECT_EQ(names, std::vector<std::string>{"C:\\OUT\\B.TXT"});

    Archive().ExceptionOnFileError = true;
    EXPECT_THROW(Expand(archive), EFCreateError);
}

TEST_F(ArchiveFiles, MakeDirectoriesCreatesShortRelativeFolders) {
    Files().createDirectory("C:\\WORK");
    ASSERT_TRUE(Files().setCurrentDirectory("C:\\WORK"));
    Archive().SetTargetPath("");
    Expand(BuildArchive({StoredMember("A\\B\\C.TXT", BytesOf("c"))}));
    EXPECT_EQ(ReadFile("C:\\WORK\\A\\B\\C.TXT"), BytesOf("c"));
}

TEST_F(ArchiveFiles, AFolderThatGoesBetweenTwoOfItsMembersIsMadeAgain) {
    Archive().OnCheckFile = [&](std::string& path, TCProcessMode) {
        if (!path.ends_with("B.TXT")) return;
        Files().deleteFile("C:\\OUT\\SUB\\A.TXT");
        ASSERT_TRUE(Files().removeDirectory("C:\\OUT\\SUB"));
    };
    std::vector<std::string> names = {"SUB\\A.TXT", "SUB\\B.TXT"};
    Expand(BuildArchive({StoredMember("SUB\\A.TXT", BytesOf("a")), StoredMember("SUB\\B.TXT", BytesOf("b"))}), &names);
    EXPECT_EQ(names, (std::vector<std::string>{"C:\\OUT\\SUB\\A.TXT", "C:\\OUT\\SUB\\B.TXT"}));
    EXPECT_EQ(ReadFile("C:\\OUT\\SUB\\B.TXT"), BytesOf("b"));
}

TEST_F(ArchiveFiles, FolderThatCannotBeCreatedRaises) {
    WriteFile("C:\\OUT\\BLOCK", BytesOf("a file where a folder should go"));
    EXPECT_THROW(Expand(BuildArchive({StoredMember("BLOCK\\X.TXT", BytesOf("x"))})), EInOutError);
}

TEST_F(ArchiveFiles, LockedMemberWithoutKeyLeavesNoFile) {
    RawMember locked = StoredMember("LOCKED.TXT", BytesOf("secret"));
    locked.header.Lock = 1;
    EXPECT_THROW(Expand(BuildArchive({StoredMember("OPEN.TXT", BytesOf("o")), locked})), EInvalidKey);
    EXPECT_TRUE(Exists("C:\\OUT\\OPEN.TXT"));
    EXPECT_FALSE(Exists("C:\\OUT\\LOCKED.TXT"));
}

TEST_F(ArchiveFiles, DamagedMemberStaysWithItsAttributes) {
    RawMember damaged = Dated(StoredMember("BAD.TXT", BytesOf("damaged")), faReadOnly);
    damaged.header.StoredChecksum += 1;
    EXPECT_THROW(Expand(BuildArchive({damaged})), EBadChecksum);
    EXPECT_EQ(ReadFile("C:\\OUT\\BAD.TXT"), BytesOf("damaged"));
    EXPECT_NE(Files().attributes("C:\\OUT\\BAD.TXT").value_or(0) & faReadOnly, 0u);
}

TEST_F(ArchiveFiles, FreeSpaceTestCountsTheFileBeingReplaced) {
    Archive().CheckSpaceBeforeExpand = true;
    machine_->setFreeSpace('C', 8192);
    const Bytes archive = BuildArchive({StoredMember("BIG.BIN", RandomBytes(10000))});
    try {
        Expand(archive);
        ADD_FAILURE() << "expanded";
    } catch (const EInsufficientDiskSpace& error) {
        EXPECT_STREQ(error.what(), "Not enough disk space to expand C:\\OUT\\BIG.BIN");
    }
    EXPECT_FALSE(Exists("C:\\OUT\\BIG.BIN"));

    WriteFile("C:\\OUT\\BIG.BIN", Bytes(4000, 1));
    machine_->setFreeSpace('C', 8192);
    Expand(archive);
    EXPECT_EQ(ReadFile("C:\\OUT\\BIG.BIN"), RandomBytes(10000));

    // Without the test, space is not asked for at all.
    Archive().CheckSpaceBeforeExpand = false;
    machine_->setFreeSpace('C', 0);
    Expand(archive);
}

TEST_F(ArchiveFiles, WriterArchivesFilesThatExpandAsTheyWere) {
    WriteFile("C:\\SRC\\DATA\\TEXT.TXT", TextBytes(20000));
    WriteFile("C:\\SRC\\EMPTY.TXT", {});
    WriteFile("C:\\SRC\\RANDOM.BIN", RandomBytes(3000));
    ASSERT_TRUE(Files().setAttributes("C:\\SRC\\RANDOM.BIN", faReadOnly | faArchive));
    const std::vector<TFileToArchive> sources = {{"C:\\SRC\\DATA\\TEXT.TXT", "DATA\\TEXT.TXT"},
                                                 {"C:\\SRC\\EMPTY.TXT", "EMPTY.TXT"},
                                                 {"C:\\SRC\\RANDOM.BIN", "RANDOM.BIN"}};
    for (const auto method : {coNone, coRLE, coLZH, coLZH5}) {
        for (const std::int32_t key : {0, 0x2468ACE}) {
            SCOPED_TRACE(std::to_string(method) + " key " + std::to_string(key));
            Archive().Key = key;
            Archive().CompressArchive("C:\\ARCHIVE.TVA", sources, {method, 2});
            Archive().SetTargetPath("C:\\OUT" + std::to_string(method) + std::to_string(key));
            Archive().ExpandArchive("C:\\ARCHIVE.TVA", nullptr);
            for (const auto& source : sources) {
                const std::string out = Archive().TargetPath() + source.StoredName;
                EXPECT_EQ(ReadFile(out), ReadFile(source.FilePath)) << out;
                EXPECT_EQ(Files().lastWriteTime(out), Files().lastWriteTime(source.FilePath)) << out;
            }
            EXPECT_NE(Files().attributes(Archive().TargetPath() + "RANDOM.BIN").value_or(0) & faReadOnly, 0u);
        }
    }
}

// Compresses each member as it is handed over and keeps what the writer did.
class RecordingAhead : public TAheadCompression {
public:
    RecordingAhead(std::size_t capacity, std::size_t budget) : capacity_(capacity), budget_(budget) {}
    std::size_t Capacity() const override { return capacity_; }
    std::size_t ByteBudget() const override { return budget_; }
    void Submit(std::vector<std::uint8_t> bytes, std::uint8_t method, std::int32_t key) override {
        Handed.push_back(bytes.size());
        results_.push_back(TZiviArchive::CompressMemberBytes(state_, std::move(bytes), method, key));
        MostOutstanding = std::max(MostOutstanding, results_.size());
    }
    TCompressedMember Next() override {
        TCompressedMember next = std::move(results_.front());
        results_.pop_front();
        return next;
    }
    void Discard() override { results_.clear(); }

    std::vector<std::size_t> Handed;  // the sizes, in the order handed
    std::size_t MostOutstanding = 0;

private:
    std::size_t capacity_;
    std::size_t budget_;
    TCompThreadSafety state_;
    std::deque<TCompressedMember> results_;
};

TEST_F(ArchiveFiles, MembersCompressedAheadLargestFirstMakeTheSameArchive) {
    // Small members first and the largest last, as name order may put them; an
    // empty one, one that is stored, and a large one that a small budget leaves
    // to the writer.
    const std::vector<std::pair<std::string, Bytes>> contents = {
        {"A.TXT", TextBytes(3000)},   {"B.TXT", TextBytes(5000, 7)}, {"C.TXT", {}},
        {"D.BIN", RandomBytes(4000)}, {"E.TXT", TextBytes(2000, 3)}, {"F.TXT", TextBytes(60000, 5)}};
    std::vector<TFileToArchive> sources;
    for (const auto& [name, bytes] : contents) {
        WriteFile("C:\\SRC\\" + name, bytes);
        sources.push_back({"C:\\SRC\\" + name, name});
    }
    Archive().Key = 0x2468ACE;
    Archive().CompressArchive("C:\\ONE.TVA", sources, {coLZH5, 2});
    const Bytes expected = ReadFile("C:\\ONE.TVA");

    const struct {
        std::size_t capacity, budget;
        std::size_t firstHanded;  // the size of the member handed first
    } cases[] = {
        {4, 1 << 20, 60000},  // room for all: the largest goes first
        {1, 1 << 20, 60000},  // one at a time
        {2, 6000, 5000},      // the largest is the writer's own; little room ahead
        {3, 0, 0},            // no budget: all but the empty member are the writer's own
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("capacity " + std::to_string(c.capacity) + " budget " + std::to_string(c.budget));
        RecordingAhead ahead(c.capacity, c.budget);
        Archive().CompressArchive("C:\\AHEAD.TVA", sources, {coLZH5, 2}, &ahead);
        EXPECT_TRUE(ReadFile("C:\\AHEAD.TVA") == expected);
        EXPECT_LE(ahead.MostOutstanding, c.capacity);
        ASSERT_FALSE(ahead.Handed.empty());
        EXPECT_EQ(ahead.Handed.front(), c.firstHanded);
    }
}

TEST_F(ArchiveFiles, FailedWriteLeavesNoArchive) {
    EXPECT_THROW(Archive().CompressArchive("C:\\ARCHIVE.TVA", {{"C:\\NOT-THERE.TXT", "X.TXT"}}, {coLZH, 2}),
                 EFOpenError);
    EXPECT_FALSE(Exists("C:\\ARCHIVE.TVA"));
}

}  // namespace
}  // namespace tavlin::test
