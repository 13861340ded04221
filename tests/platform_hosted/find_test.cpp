// Searching a folder with wildcards: the Windows matching rules, "." and "..",
// short names, and what each entry reports.
#include <gtest/gtest.h>

#include "machine_fixture.h"

namespace tavlin::hosted::testing {
namespace {

class FindTest : public MachineTest {
protected:
    void SetUp() override {
        MachineTest::SetUp();
        machine_ = openMachine();
        ASSERT_TRUE(files().createDirectory("C:\\pt"));
        ASSERT_TRUE(files().createDirectory("C:\\pt\\Long Folder Name"));
        ASSERT_TRUE(files().createDirectory("C:\\pt\\sub"));
        for (const char* name : {"f.txt", "noext", "a.b.c", "Notes.TXT", "readme.html"}) {
            writeMachineFile(files(), std::string("C:\\pt\\") + name, name);
        }
    }
    FileSystem& files() { return machine_->files(); }

    std::string names(const std::string& pattern) {
        std::string out;
        for (const auto& entry : files().findAll(pattern)) out += (out.empty() ? "" : " ") + entry.name;
        return out;
    }

    std::unique_ptr<HostedMachine> machine_;
};

TEST_F(FindTest, WildcardsMatchTheWindowsWay) {
    const struct {
        const char* pattern;
        const char* names;
    } cases[] = {
        {"C:\\pt\\*", ". .. a.b.c f.txt Long Folder Name noext Notes.TXT readme.html sub"},
        {"C:\\pt\\*.*", ". .. a.b.c f.txt Long Folder Name noext Notes.TXT readme.html sub"},
        {"C:\\pt\\*.txt", "f.txt Notes.TXT"},
        {"C:\\PT\\NOEXT.*", "noext"},
        {"C:\\pt\\a.*", "a.b.c"},
        {"C:\\pt\\*.c", "a.b.c"},
        {"C:\\pt\\?.txt", "f.txt"},
        {"C:\\pt\\*.htm", "readme.html"},  // through the short name README~1.HTM
        {"C:\\pt\\LONGFO~1", "Long Folder Name"},
        {"C:\\pt\\SUB", "sub"},
        {"C:\\pt\\nomatch*", ""},
        {"C:\\pt\\sub\\", ""},
        {"C:\\nowhere\\*", ""},
        {"C:\\pt\\sub\\*.*", ". .."},
    };
    for (const auto& c : cases) EXPECT_EQ(names(c.pattern), c.names) << c.pattern;
}

TEST_F(FindTest, RootsListNoDotEntriesAndRelativePatternsUseTheCurrentFolder) {
    EXPECT_EQ(names("C:\\*"), "Program Files pt WINDOWS");
    ASSERT_TRUE(files().setCurrentDirectory("C:\\pt"));
    EXPECT_EQ(names("*.txt"), "f.txt Notes.TXT");
    EXPECT_EQ(names("c:*.c"), "a.b.c");
    EXPECT_EQ(names("\\p*"), "Program Files pt");
}

TEST_F(FindTest, EntriesReportAttributesSizesAndShortNames) {
    ASSERT_TRUE(files().setAttributes("C:\\pt\\f.txt", faHidden | faArchive));
    const auto found = files().findAll("C:\\pt\\*");
    std::map<std::string, FindData> byName;
    for (const auto& entry : found) byName[entry.name] = entry;
    EXPECT_EQ(byName["."].attributes, faDirectory);
    EXPECT_EQ(byName[".."].attributes, faDirectory);
    EXPECT_EQ(byName["f.txt"].attributes, faHidden | faArchive);
    EXPECT_EQ(byName["f.txt"].size, 5u);
    EXPECT_EQ(byName["f.txt"].alternateName, "");
    EXPECT_EQ(byName["Long Folder Name"].attributes, faDirectory);
    EXPECT_EQ(byName["Long Folder Name"].size, 0u);
    EXPECT_EQ(byName["Long Folder Name"].alternateName, "LONGFO~1");
    EXPECT_EQ(byName["a.b.c"].alternateName, "AB~1.C");
    EXPECT_EQ(byName["readme.html"].alternateName, "README~1.HTM");
    EXPECT_NE(byName["noext"].lastWriteDos, 0u);
}

TEST_F(FindTest, TheFilterLeavesOutHiddenSystemAndFolderEntries) {
    ASSERT_TRUE(files().setAttributes("C:\\pt\\f.txt", faHidden));
    ASSERT_TRUE(files().setAttributes("C:\\pt\\noext", faSysFile));
    std::string plain;
    for (const auto& entry : files().find("C:\\pt\\*.*", 0)) plain += entry.name + " ";
    EXPECT_EQ(plain, "a.b.c Notes.TXT readme.html ");
    std::string withFolders;
    for (const auto& entry : files().find("C:\\pt\\*.*", faDirectory)) withFolders += entry.name + " ";
    EXPECT_EQ(withFolders, ". .. a.b.c Long Folder Name Notes.TXT readme.html sub ");
}

// The status of one name is answered without a search, and must tell what the
// search tells: the same entry, attributes, size and time, or nothing.
TEST_F(FindTest, TheStatusOfANameIsWhatASearchForItFinds) {
    ASSERT_TRUE(files().setAttributes("C:\\pt\\f.txt", faHidden | faArchive));
    ASSERT_TRUE(files().createDirectory("C:\\pt\\sub\\deeper"));
    writeMachineFile(files(), "C:\\pt\\sub\\deeper\\inner.txt", "inner text");
    ASSERT_TRUE(files().setCurrentDirectory("C:\\pt"));
    for (const char* path : {
             "C:\\pt\\f.txt", "c:\\PT\\F.TXT", "C:\\pt\\README~1.HTM", "C:\\pt\\LONGFO~1", "C:\\pt\\sub",
             "Notes.txt", "c:noext",
             // Folders on the way spelt otherwise than on the host, or by short name.
             "C:\\PT\\SUB\\DEEPER\\inner.txt", "C:\\pt\\SUB\\deeper\\INNER.TXT",
             "C:\\PT\\sub\\deeper\\inner.txt",
             // Nothing there, at any depth below what is.
             "C:\\pt\\missing.txt", "C:\\pt\\missing\\deeper\\x.txt", "C:\\nowhere\\at\\all.txt",
             "C:\\pt\\f.txt\\below.txt", "C:\\PT\\F.TXT\\BELOW\\x.txt",
             // What the search takes its own way.
             "C:\\pt\\sub\\", "C:\\pt\\sub\\.", "C:\\pt\\f.txt.", "C:\\pt\\", "C:\\"}) {
        SCOPED_TRACE(path);
        const auto status = files().status(path);
        const auto found = files().findAll(path);
        ASSERT_EQ(status.has_value(), !found.empty());
        // The size alone is the status's size, for files only.
        const bool file = status && (status->attributes & faDirectory) == 0;
        EXPECT_EQ(files().fileSize(path), file ? std::optional<std::uint64_t>(status->size) : std::nullopt);
        if (!status) continue;
        EXPECT_EQ(status->attributes, found[0].attributes);
        EXPECT_EQ(status->size, found[0].size);
        EXPECT_EQ(status->lastWriteDos, found[0].lastWriteDos);
    }
    EXPECT_EQ(files().status("C:\\PT\\SUB\\DEEPER\\inner.txt")->size, 10u);
    EXPECT_EQ(files().status("C:\\pt\\f.txt")->attributes, faHidden | faArchive);
}

// Paths whose folders exist only in another spelling reach them, for looking and
// for making, however deep the spelling differs.
TEST_F(FindTest, PathsReachFoldersSpeltOtherwiseAtAnyDepth) {
    ASSERT_TRUE(files().createDirectory("C:\\pt\\sub\\deeper"));
    writeMachineFile(files(), "C:\\PT\\SUB\\DEEPER\\made.txt", "m");
    writeMachineFile(files(), "C:\\pt\\LONGFO~1\\by short.txt", "s");
    ASSERT_TRUE(files().createDirectory("C:\\Pt\\Sub\\Deeper\\Made Folder"));
    EXPECT_TRUE(fs::is_regular_file(driveC() / "pt" / "sub" / "deeper" / "made.txt"));
    EXPECT_TRUE(fs::is_regular_file(driveC() / "pt" / "Long Folder Name" / "by short.txt"));
    EXPECT_TRUE(fs::is_directory(driveC() / "pt" / "sub" / "deeper" / "Made Folder"));
    EXPECT_EQ(names("C:\\PT\\SUB\\*.*"), ". .. deeper");
    EXPECT_FALSE(files().createDirectory("C:\\PT\\NOPE\\x"));
    EXPECT_FALSE(fs::exists(driveC() / "PT"));
}

}  // namespace
}  // namespace tavlin::hosted::testing
