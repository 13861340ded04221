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

}  // namespace
}  // namespace tavlin::hosted::testing
