// Folder keywords of the file list and path macros of the configuration texts,
// resolved on a hosted machine whose Windows folder is C:\WINDOWS.
#include <gtest/gtest.h>

#include "install/install_fixture.h"
#include "install/path_macros.h"

namespace tavlin::test {
namespace {

const std::string kAcme = "C:\\Program Files\\Acme\\";
const std::string kExpand = "C:\\WINDOWS\\Temp\\tvlp_093015\\";

struct ListCase {
    std::string line;
    std::string target;
    std::string source;  // empty: not checked
};

class BuildInstallListsTest : public MachineFixture, public ::testing::WithParamInterface<ListCase> {};

TEST_P(BuildInstallListsTest, GivesTargetAndSource) {
    SetupState state;
    state.ExpandDir = kExpand;
    state.ArchiveFileList.Add(GetParam().line);
    std::string mainDir = kAcme;
    BuildInstallLists(platform(), state, mainDir);
    ASSERT_EQ(state.InstallTargets.Count(), 1u);
    ASSERT_EQ(state.InstallFiles.Count(), 1u);
    EXPECT_EQ(state.InstallTargets[0], GetParam().target);
    if (!GetParam().source.empty()) {
        EXPECT_EQ(state.InstallFiles[0], GetParam().source);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, BuildInstallListsTest,
    ::testing::Values(
        ListCase{"Installation Directory,C:\\setup.exe", kAcme + "setup.exe", kExpand + "setup.exe"},
        ListCase{"Installation Directory\tData\tC:\\Work\\Data\\", kAcme + "Data\\", kExpand + "Work\\Data\\"},
        ListCase{"readme.txt", "readme.txt", ""},
        ListCase{"Windows,Installation Directory,C:\\Work\\a.exe", kAcme + "a.exe", kExpand + "Work\\a.exe"},
        ListCase{"Installation Directory,Sub\\,C:\\Work\\a.exe", kAcme + "Sub\\a.exe", ""},
        ListCase{"Installation Directory,Sub,C:\\Work\\a.exe", kAcme + "Sub\\a.exe", ""},
        ListCase{"windows,C:\\Work\\a.exe", "windows\\a.exe", ""},
        ListCase{"Program Files\tCommon\tC:\\Work\\s.dll", "C:\\Program Files\\Common\\s.dll", ""},
        ListCase{"System,C:\\Work\\x.dll", "C:\\WINDOWS\\System\\x.dll", kExpand + "Work\\x.dll"},
        ListCase{"System32,C:\\Work\\x.dll", "C:\\WINDOWS\\System32\\x.dll", ""},
        ListCase{"Fonts,C:\\Work\\f.ttf", "C:\\WINDOWS\\Fonts\\f.ttf", ""},
        ListCase{"Root,C:\\Work\\r.txt", "C:\\r.txt", ""},
        ListCase{"Installation Directory,\"Dir, with comma\",C:\\Work\\q.txt", kAcme + "Dir, with comma\\q.txt", ""}));

using InstallListsTest = MachineFixture;

TEST_F(InstallListsTest, SkipEmptyLinesAndEndTheFolderWithABackslash) {
    SetupState state;
    state.ExpandDir = kExpand;
    state.ArchiveFileList = {"Installation Directory,C:\\a.txt", "", "Installation Directory,C:\\b.txt"};
    state.InstallTargets = {"stale"};
    std::string mainDir = "D:\\Apps\\Acme";
    BuildInstallLists(platform(), state, mainDir);
    EXPECT_EQ(mainDir, "D:\\Apps\\Acme\\");
    EXPECT_EQ(state.InstallTargets.Lines(), (std::vector<std::string>{"D:\\Apps\\Acme\\a.txt", "D:\\Apps\\Acme\\b.txt"}));
    EXPECT_EQ(state.InstallFiles.Lines(), (std::vector<std::string>{kExpand + "a.txt", kExpand + "b.txt"}));
}

struct ResolveCase {
    std::string text;
    std::string path;
};

class ResolveMacroPathTest : public MachineFixture, public ::testing::WithParamInterface<ResolveCase> {};

TEST_P(ResolveMacroPathTest, ResolvesALeadingMacro) {
    EXPECT_EQ(ResolveMacroPath(platform(), kAcme, GetParam().text), GetParam().path);
}

INSTANTIATE_TEST_SUITE_P(Texts, ResolveMacroPathTest,
                         ::testing::Values(ResolveCase{"<InstallDir>\\bin\\a.exe", kAcme + "bin\\a.exe"},
                                           ResolveCase{"notepad.exe", kAcme},
                                           ResolveCase{"<installdir>\\a.exe", kAcme},
                                           ResolveCase{"<Root>\\App\\x.exe", "C:\\App\\x.exe"},
                                           ResolveCase{"<ProgramFiles>\\Common\\x.exe", "C:\\Program Files\\Common\\x.exe"},
                                           ResolveCase{"<Windows>\\System\\a.dll", "C:\\WINDOWS\\System\\a.dll"},
                                           ResolveCase{"x <Windows>\\a.exe", kAcme}));

struct FindCase {
    std::string text;
    std::string folder;
    std::string macro;
};

class FindPathMacroTest : public MachineFixture, public ::testing::WithParamInterface<FindCase> {};

TEST_P(FindPathMacroTest, FindsTheFirstMacroOfTheTable) {
    const auto [folder, macro] = FindPathMacro(platform(), kAcme, GetParam().text);
    EXPECT_EQ(folder, GetParam().folder);
    EXPECT_EQ(macro, GetParam().macro);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FindPathMacroTest,
    ::testing::Values(FindCase{"SET P=<windows>\\temp", "C:\\WINDOWS\\", "<WINDOWS>\\"},
                      FindCase{"<Root>\\x;<InstallDir>\\y", "C:\\PROGRAM FILES\\ACME\\", "<INSTALLDIR>\\"},
                      FindCase{"<Windows>\\System32\\x.dll", "C:\\WINDOWS\\", "<WINDOWS>\\"},
                      FindCase{"<PROGRAMFILES>\\x", "C:\\PROGRAM FILES\\", "<PROGRAMFILES>\\"},
                      FindCase{"<InstallDir>", "", ""}, FindCase{"", "", ""}));

struct ExpandCase {
    std::string text;
    bool shortForm;
    std::string expanded;
    std::string mainDir = kAcme;
};

class ExpandPathMacrosTest : public MachineFixture, public ::testing::WithParamInterface<ExpandCase> {};

TEST_P(ExpandPathMacrosTest, ReplacesEveryMacro) {
    files().forceDirectories(kAcme);
    EXPECT_EQ(ExpandPathMacros(platform(), GetParam().mainDir, GetParam().text, GetParam().shortForm),
              GetParam().expanded);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ExpandPathMacrosTest,
    ::testing::Values(
        ExpandCase{"<InstallDir>\\a;<InstallDir>\\b", false, "C:\\PROGRAM FILES\\ACME\\A;C:\\PROGRAM FILES\\ACME\\B"},
        ExpandCase{"<InstallDir>\\a;<InstallDir>\\b", true, "C:\\PROGRA~1\\ACME\\A;C:\\PROGRA~1\\ACME\\B"},
        // A folder that does not exist yet keeps its long form.
        ExpandCase{"<InstallDir>\\x", true, "C:\\PROGRAM FILES\\NEW APP\\X", "C:\\Program Files\\New App\\"},
        ExpandCase{"path <root>\\dos;<Windows>\\System\\x", false, "PATH C:\\DOS;C:\\WINDOWS\\SYSTEM\\X"},
        ExpandCase{"no macro here", true, "NO MACRO HERE"},
        // An installation folder whose name looks like a macro is put in once and
        // not expanded again.
        ExpandCase{"<InstallDir>\\a", false, "C:\\<INSTALLDIR>\\A", "C:\\<InstallDir>\\"}));

}  // namespace
}  // namespace tavlin::test
