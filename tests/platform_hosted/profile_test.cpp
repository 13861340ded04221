// The INI profile functions as GetPrivateProfileStringA and
// WritePrivateProfileStringA behave (observed under Wine on this machine), with
// writes that leave every line they do not concern byte for byte.
#include <gtest/gtest.h>

#include "machine_fixture.h"

namespace tavlin::hosted::testing {
namespace {

// Comment, stray key before any section, blanks, quotes, duplicates, a line
// without "=", a key with an empty name, a header with trailing text and one
// without its closing bracket.
const std::string kSample =
    "; comment\r\nstray=1\r\n[Sec]\r\n  key1  =  \"quoted value\"  \r\nkey2='single'\r\nkey3=\"unbalanced\r\n"
    "key4 = a=b\r\nnoequals\r\n;comm=ented\r\nkey1=dup\r\nKEY5=\r\n=emptykey\r\nafter=empty\r\n\r\n[ Other ]\r\nx=1\r\n"
    "[Sec2] trailing\r\ny=2\r\n[Sec3\r\nz=3\r\n[Sec]\r\nlate=1\r\n";

class ProfileTest : public MachineTest {
protected:
    void SetUp() override {
        MachineTest::SetUp();
        machine_ = openMachine();
        writeHostFile(driveC() / "t.ini", kSample);
    }
    Profile& profile() { return machine_->profile(); }
    std::string iniText(const std::string& name = "t.ini") { return readHostFile(driveC() / name); }

    std::unique_ptr<HostedMachine> machine_;
};

TEST_F(ProfileTest, ValuesAreTrimmedAndUnquoted) {
    const struct {
        const char* section;
        const char* key;
        const char* value;
    } cases[] = {
        {"Sec", "key1", "quoted value"},
        {"sec", "KEY2", "single"},
        {"Sec", "key3", "\"unbalanced"},
        {"Sec", "key4", "a=b"},
        {"Sec", "noequals", "D"},
        {"Sec", ";comm", "ented"},
        {"Sec", "key5", ""},
        {"Sec", "", "emptykey"},
        {"Sec", "late", "D"},  // only the first [Sec] counts
        {"", "stray", "1"},
        {"Other", "x", "1"},
        {" Other ", "x", "1"},
        {"Sec2", "y", "2"},
        {"Sec2] trailing", "y", "D"},
        {"Sec3", "z", "D"},
        {"Sec2", "z", "3"},  // "[Sec3" is no header
        {"Missing", "x", "D"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(profile().readString("C:\\t.ini", c.section, c.key, "D"), c.value) << c.section << "/" << c.key;
    }
}

TEST_F(ProfileTest, DefaultsAndBuffersCutTheResult) {
    EXPECT_EQ(profile().readString("C:\\t.ini", "Sec", "missing", "  def  "), "  def");
    EXPECT_EQ(profile().readString("C:\\missing.ini", "Sec", "key1", "dflt"), "dflt");
    EXPECT_EQ(profile().readString("C:\\t.ini", "Sec", "key1", "D", 5), "quot");
    EXPECT_EQ(profile().readString("C:\\t.ini", "Sec", "key1", "D", 1), "");
    EXPECT_EQ(profile().readString("C:\\t.ini", "Sec", "missing", "defaultlong", 5), "defa");
    writeHostFile(driveC() / "long.ini", "[S]\r\nk=" + std::string(3000, 'v') + "\r\n");
    EXPECT_EQ(profile().readString("C:\\long.ini", "S", "k", "").size(), 2047u);
}

TEST_F(ProfileTest, KeyNamesInFileOrderUpToTheBufferSize) {
    using Names = std::vector<std::string>;
    const struct {
        std::size_t buffer;
        Names names;
    } cases[] = {
        {16384, {"key1", "key2", "key3", "key4", "key1", "KEY5", "", "after"}},
        {12, {"key1", "key2"}},
        {11, {"key1", "key2"}},
        {10, {"key1", "key"}},
        {5, {"key"}},
        {3, {"k"}},
        {2, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(profile().readKeyNames("C:\\t.ini", "sec", c.buffer), c.names) << c.buffer;
    EXPECT_EQ(profile().readKeyNames("C:\\t.ini", "Other"), Names{"x"});
    EXPECT_EQ(profile().readKeyNames("C:\\t.ini", "None"), Names{});
    EXPECT_EQ(profile().readKeyNames("C:\\none.ini", "Sec"), Names{});
}

TEST_F(ProfileTest, WritesTouchOnlyTheLinesTheyConcern) {
    const std::string before = "; top\n  \n[Sec]  \n  Key1  =  old  \nkey2=x\n\n; trailing comment\n[Two]\nk=v\n\n";
    writeHostFile(driveC() / "w.ini", before);
    ASSERT_TRUE(profile().writeString("C:\\w.ini", "sec", "KEY1", "new"));
    ASSERT_TRUE(profile().writeString("C:\\w.ini", "SEC", "key3", "three"));
    ASSERT_TRUE(profile().writeString("C:\\w.ini", "two", " k2 ", "  spaced  "));
    ASSERT_TRUE(profile().writeString("C:\\w.ini", "New", "a", "b"));
    EXPECT_EQ(iniText("w.ini"),
              "; top\n  \n[Sec]  \nKey1=new\r\nkey2=x\nkey3=three\r\n\n; trailing comment\n[Two]\nk=v\nk2=spaced\r\n\n"
              "[New]\r\na=b\r\n");
}

TEST_F(ProfileTest, WritingTheSameValueLeavesTheFileAlone) {
    writeHostFile(driveC() / "same.ini", "[A]\nx = 1\n");
    ASSERT_TRUE(profile().writeString("C:\\same.ini", "a", "X", "1"));
    EXPECT_EQ(iniText("same.ini"), "[A]\nx = 1\n");
}

TEST_F(ProfileTest, EdgesOfTheFile) {
    const struct {
        const char* before;
        const char* section;
        const char* key;
        const char* after;
    } cases[] = {
        {"[A]\r\nx=1", "A", "y", "[A]\r\nx=1\r\ny=2\r\n"},
        {"[A]\r\nx=1", "B", "y", "[A]\r\nx=1\r\n[B]\r\ny=2\r\n"},
        {"", "A", "y", "[A]\r\ny=2\r\n"},
        {"[A]\r\n[B]\r\n", "A", "y", "[A]\r\ny=2\r\n[B]\r\n"},
        {"x=0\r\n[A]\r\n", "", "y", "x=0\r\ny=2\r\n[A]\r\n"},
        {"[A]\r\n", "", "y", "y=2\r\n[A]\r\n"},
        {"[A]\r\nnoeq\r\n", "A", "noeq", "[A]\r\nnoeq\r\nnoeq=2\r\n"},
        {"[A]\r\nx=1\r\n[A]\r\ny=1\r\n", "A", "y", "[A]\r\nx=1\r\ny=2\r\n[A]\r\ny=1\r\n"},
    };
    for (const auto& c : cases) {
        writeHostFile(driveC() / "e.ini", c.before);
        ASSERT_TRUE(profile().writeString("C:\\e.ini", c.section, c.key, "2")) << c.before;
        EXPECT_EQ(iniText("e.ini"), c.after) << c.before;
    }
}

TEST_F(ProfileTest, BareNamesMeanTheWindowsFolderAndPathsGoThroughTheFileSystem) {
    ASSERT_TRUE(profile().writeString("acme.ini", "Main", "Dir", "C:\\Acme"));
    EXPECT_EQ(readHostFile(driveC() / "WINDOWS" / "acme.ini"), "[Main]\r\nDir=C:\\Acme\r\n");
    EXPECT_EQ(profile().readString("C:\\WINDOWS\\ACME.INI", "main", "dir", ""), "C:\\Acme");

    ASSERT_TRUE(machine_->files().createDirectory("C:\\Program Files\\My App"));
    ASSERT_TRUE(profile().writeString("C:\\PROGRA~1\\MYAPP~1\\uninstaller.cfg", "Files", "C:\\x\\*.*", ""));
    EXPECT_EQ(readHostFile(driveC() / "Program Files" / "My App" / "uninstaller.cfg"), "[Files]\r\nC:\\x\\*.*=\r\n");
    EXPECT_FALSE(profile().writeString("C:\\Missing\\x.ini", "A", "b", "c"));
}

TEST_F(ProfileTest, HiddenFilesAreWrittenInPlaceAndStayHidden) {
    ASSERT_TRUE(machine_->files().setAttributes("C:\\t.ini", faHidden | faSysFile));
    ASSERT_TRUE(profile().writeString("C:\\t.ini", "Other", "x", "2"));
    EXPECT_EQ(profile().readString("C:\\t.ini", "Other", "x", ""), "2");
    EXPECT_EQ(machine_->files().attributes("C:\\t.ini"), faHidden | faSysFile | faArchive);
}

TEST_F(ProfileTest, ReadOnlyAndOpenFilesCannotBeWritten) {
    ASSERT_TRUE(machine_->files().setAttributes("C:\\t.ini", faReadOnly));
    EXPECT_FALSE(profile().writeString("C:\\t.ini", "Sec", "key1", "changed"));
    EXPECT_EQ(iniText(), kSample);
    ASSERT_TRUE(machine_->files().setAttributes("C:\\t.ini", 0));
    auto reader = machine_->files().openRead("C:\\t.ini");
    EXPECT_FALSE(profile().writeString("C:\\t.ini", "Sec", "key1", "changed"));
    EXPECT_EQ(iniText(), kSample);
}

}  // namespace
}  // namespace tavlin::hosted::testing
