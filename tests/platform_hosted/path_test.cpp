// Windows paths on the host: how they are made absolute, matched ignoring letter
// case, and how names cross between Windows-1252 and the host's UTF-8.
#include <gtest/gtest.h>

#include "machine_fixture.h"
#include "platform/hosted/windows_text.h"

namespace tavlin::hosted::testing {
namespace {

using PathTest = MachineTest;

TEST_F(PathTest, FullPathNamesFollowTheWindowsRules) {
    auto machine = openMachine();
    FileSystem& files = machine->files();
    ASSERT_TRUE(files.createDirectory("C:\\pt"));
    ASSERT_TRUE(files.setCurrentDirectory("c:\\PT\\"));
    EXPECT_EQ(files.currentDirectory(), "c:\\PT");
    const struct {
        const char* path;
        const char* full;
    } cases[] = {
        {"a\\b\\..\\c", "c:\\PT\\a\\c"},
        {"c:x", "c:\\PT\\x"},
        {"d:x", "d:\\x"},
        {"\\x\\.\\y", "c:\\x\\y"},
        {"C:\\a\\\\b", "C:\\a\\b"},
        {"C:\\a/b", "C:\\a\\b"},
        {"C:\\a\\b. ", "C:\\a\\b"},
        {"C:\\a\\b.\\", "C:\\a\\b\\"},
        {"c:\\..\\..\\x", "c:\\x"},
        {"C:", "c:\\PT\\"},
        {"", ""},
        {"\\\\server\\share", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(files.fullPathName(c.path), c.full) << c.path;
}

TEST_F(PathTest, LookupIgnoresCaseOfAsciiAndLatinLetters) {
    auto machine = openMachine();
    FileSystem& files = machine->files();
    // "\xC9t\xE9" is "Été" in Windows-1252.
    ASSERT_TRUE(files.createDirectory("C:\\\xC9t\xE9 Files"));
    writeMachineFile(files, "C:\\\xC9t\xE9 Files\\ReadMe.Txt", "x");
    EXPECT_TRUE(files.fileExists("c:\\\xE9T\xC9 FILES\\readme.txt"));
    EXPECT_TRUE(files.directoryExists("C:\\\xC9T\xC9 files"));
    EXPECT_FALSE(files.fileExists("C:\\Ete Files\\readme.txt"));
}

TEST_F(PathTest, NamesAreUtf8OnTheHost) {
    auto machine = openMachine();
    FileSystem& files = machine->files();
    writeMachineFile(files, "C:\\Caf\xE9 \x80.txt", "euro");
    EXPECT_TRUE(fs::is_regular_file(driveC() / "Caf\u00E9 \u20AC.txt"));

    writeHostFile(driveC() / "\u00FCber \u4E2D.txt", "x");
    const auto found = files.findAll("C:\\*.txt");
    std::vector<std::string> names;
    for (const auto& entry : found) names.push_back(entry.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Caf\xE9 \x80.txt", "\xFC" "ber ?.txt"}));
}

TEST(WindowsTextTest, EveryWindowsByteSurvivesTheTripThroughUtf8) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(windowsFromUtf8(utf8FromWindows(all)), all);
    EXPECT_EQ(utf8FromWindows("\x80\x9F"), "\u20AC\u0178");
}

TEST(WindowsTextTest, TextWithoutAWindowsFormBecomesQuestionMarks) {
    const struct {
        const char* utf8;
        const char* windows;
    } cases[] = {
        {"\u4E2D\u6587", "??"},
        {"a\xFF" "b", "a?b"},             // not UTF-8 at all
        {"\xC0\xAF", "??"},               // an overlong "/" must not become a separator
        {"\xE2\x82", "??"},               // cut short
        {"\xF0\x9F\x98\x80!", "?!"},      // outside the code page
    };
    for (const auto& c : cases) EXPECT_EQ(windowsFromUtf8(c.utf8), c.windows) << c.utf8;
}

TEST_F(PathTest, InvalidNamesAreNotCreated) {
    auto machine = openMachine();
    FileSystem& files = machine->files();
    for (const char* name : {"C:\\a*b", "C:\\a?b", "C:\\a<b", "C:\\a|b", "C:\\a\"b", "C:\\a\x01z"}) {
        EXPECT_FALSE(files.createDirectory(name)) << name;
        EXPECT_THROW(files.create(name), EFCreateError) << name;
    }
}

}  // namespace
}  // namespace tavlin::hosted::testing
