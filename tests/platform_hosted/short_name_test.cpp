// Short names: made the Windows way, stable for their file across machine
// objects, freed with the file, and accepted in every path.
#include <gtest/gtest.h>

#include <set>

#include "machine_fixture.h"
#include "platform/hosted/short_name.h"

namespace tavlin::hosted::testing {
namespace {

TEST(ShortNameRulesTest, BasisNameAndNumericTail) {
    const struct {
        const char* name;
        std::set<std::string> taken;
        const char* shortName;
    } cases[] = {
        {"Program Files", {}, "PROGRA~1"},
        {"Program Files", {"PROGRA~1"}, "PROGRA~2"},
        {"My App", {}, "MYAPP~1"},
        {"setup.config", {}, "SETUP~1.CON"},
        {"a.b.c", {}, "AB~1.C"},
        {"a+b,c;d=e[f]g.txt", {}, "A_B_C_~1.TXT"},
        {".profile", {}, "PROFIL~1"},
        {"Long Name.tar.gz", {}, "LONGNA~1.GZ"},
        {"\xE9t\xE9 long.txt", {}, "\xC9T\xC9LON~1.TXT"},
        {"Program Files", {"PROGRA~1", "PROGRA~2", "PROGRA~3", "PROGRA~4", "PROGRA~5", "PROGRA~6", "PROGRA~7",
                           "PROGRA~8", "PROGRA~9"}, "PROGR~10"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(makeShortName(c.name, [&](const std::string& n) { return c.taken.count(n) > 0; }), c.shortName)
            << c.name;
    }
}

TEST(ShortNameRulesTest, NamesThatAreAlready83) {
    const struct {
        const char* name;
        bool fits;
    } cases[] = {
        {"SETUP.EXE", true},   {"readme.txt", true},  {"NOEXT", true},     {"A_B-C.D", true},
        {"LONGNAME1", false},  {"a.b.c", false},      {"x.html", false},   {"my app", false},
        {"A+B.TXT", false},    {".profile", false},   {"", false},         {"ABC.", false},
    };
    for (const auto& c : cases) EXPECT_EQ(fitsShortName(c.name), c.fits) << c.name;
}

using ShortNameTest = MachineTest;

TEST_F(ShortNameTest, ShortNamesAreGivenInCreationOrderAndResolveBack) {
    auto machine = openMachine();
    FileSystem& files = machine->files();
    ASSERT_TRUE(files.createDirectory("C:\\Program Data"));
    EXPECT_EQ(files.shortPathName("C:\\Program Files"), "C:\\PROGRA~1");
    EXPECT_EQ(files.shortPathName("C:\\Program Data"), "C:\\PROGRA~2");
    ASSERT_TRUE(files.createDirectory("C:\\progra~2\\My App"));
    writeMachineFile(files, "C:\\PROGRA~2\\MYAPP~1\\setup.exe", "MZ");
    EXPECT_TRUE(fs::is_regular_file(driveC() / "Program Data" / "My App" / "setup.exe"));
    EXPECT_EQ(files.shortPathName("c:\\program data\\my app\\SETUP.EXE"), "c:\\PROGRA~2\\MYAPP~1\\setup.exe");
}

TEST_F(ShortNameTest, ShortPathNameKeepsTheFormOfTheGivenPath) {
    auto machine = openMachine();
    FileSystem& files = machine->files();
    ASSERT_TRUE(files.createDirectory("C:\\Program Files\\My App"));
    ASSERT_TRUE(files.setCurrentDirectory("C:\\Program Files"));
    const struct {
        const char* path;
        std::optional<std::string> shortPath;
    } cases[] = {
        {"C:\\Program Files\\My App\\", "C:\\PROGRA~1\\MYAPP~1\\"},
        {"c:\\program files", "c:\\PROGRA~1"},
        {"My App", "MYAPP~1"},
        {"..\\Program Files\\.\\My App", "..\\PROGRA~1\\.\\MYAPP~1"},
        {"\\WINDOWS\\Start Menu", "\\WINDOWS\\STARTM~1"},
        {"C:\\", "C:\\"},
        {"C:\\Program Files\\Missing", std::nullopt},
        {"Q:\\", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(files.shortPathName(c.path), c.shortPath) << c.path;
}

TEST_F(ShortNameTest, ShortNamesPersistAcrossMachineObjectsAndAreFreedWithTheirFile) {
    {
        auto machine = openMachine();
        writeMachineFile(machine->files(), "C:\\Long File One.txt", "1");
        writeMachineFile(machine->files(), "C:\\Long File Two.txt", "2");
    }
    {
        auto machine = openMachine();
        FileSystem& files = machine->files();
        EXPECT_EQ(files.shortPathName("C:\\Long File Two.txt"), "C:\\LONGFI~2.TXT");
        EXPECT_EQ(readMachineFile(files, "C:\\LONGFI~2.TXT"), "2");
        ASSERT_TRUE(files.deleteFile("C:\\LONGFI~1.TXT"));
        writeMachineFile(files, "C:\\Long File Three.txt", "3");
    }
    auto machine = openMachine();
    EXPECT_EQ(machine->files().shortPathName("C:\\Long File Three.txt"), "C:\\LONGFI~1.TXT");
    EXPECT_EQ(machine->files().shortPathName("C:\\Long File Two.txt"), "C:\\LONGFI~2.TXT");
}

TEST_F(ShortNameTest, FilesMadeOnTheHostGetStableShortNames) {
    writeHostFile(driveC() / "Host Made Beta.txt", "b");
    writeHostFile(driveC() / "Host Made Alpha.txt", "a");
    std::optional<std::string> first;
    {
        auto machine = openMachine();
        first = machine->files().shortPathName("C:\\Host Made Beta.txt");
        EXPECT_EQ(first, "C:\\HOSTMA~2.TXT");
    }
    writeHostFile(driveC() / "Host Made Aardvark.txt", "new");
    auto machine = openMachine();
    EXPECT_EQ(machine->files().shortPathName("C:\\Host Made Beta.txt"), first);
    EXPECT_EQ(readMachineFile(machine->files(), "C:\\HOSTMA~1.TXT"), "a");
    EXPECT_EQ(machine->files().shortPathName("C:\\Host Made Aardvark.txt"), "C:\\HOSTMA~3.TXT");
}

// Host-made names of one sequence take the lowest free number in listing order,
// also past nine, where the tail takes a letter more of the base.
TEST_F(ShortNameTest, ManyHostMadeNamesTakeTheLowestFreeNumberInListingOrder) {
    for (int i = 1; i <= 12; ++i) {
        writeHostFile(driveC() / ("Host Made " + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".txt"), "x");
    }
    writeHostFile(driveC() / "HostMaker.txt", "y");
    auto machine = openMachine();
    for (int i = 1; i <= 12; ++i) {
        const std::string tail = "~" + std::to_string(i);
        EXPECT_EQ(machine->files().shortPathName("C:\\Host Made " + std::string(i < 10 ? "0" : "") +
                                                 std::to_string(i) + ".txt"),
                  "C:\\" + std::string("HOSTMADE").substr(0, 8 - tail.size()) + tail + ".TXT");
    }
    EXPECT_EQ(machine->files().shortPathName("C:\\HostMaker.txt"), "C:\\HOSTM~13.TXT");
}

}  // namespace
}  // namespace tavlin::hosted::testing
