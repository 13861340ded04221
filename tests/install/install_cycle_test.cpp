// Installing and then uninstalling leaves the machine as it was, also when the
// installation stopped part-way and only its partial log is there to go by.
#include <gtest/gtest.h>

#include <ostream>

#include "install/install_fixture.h"
#include "uninstall/del_tree.h"
#include "uninstall/uninstall_run.h"

namespace tavlin::test {
namespace {

// Something the run was stopped by, as a killed process would be.
struct Stopped : std::runtime_error {
    Stopped() : std::runtime_error("stopped") {}
};

class InstallCycleTest : public InstallFixture {
protected:
    void SetUp() override {
        InstallFixture::SetUp();
        UseAcmeProduct();
        WriteFile("C:\\AUTOEXEC.BAT", "@ECHO OFF\r\nPATH C:\\DOS\r\n");
        WriteFile("C:\\CONFIG.SYS", "FILES=40\r\nBUFFERS=20\r\n");
        // A newer copy of the library that the product brings.
        WriteFile("C:\\WINDOWS\\System\\acmelib.dll", "newer library", LocalTime{2030, 1, 1, 0, 0, 0});
    }

    void Uninstall() {
        SetupState uninstallState;
        uninstallState.UninstallMode = true;
        uninstallState.ExpandDir = mainDir;
        uninstallState.SourceDir = mainDir;
        TProgressDialog uninstallProgress(*application);
        ScreenUi uninstallUi(*application, uninstallProgress);
        TDelTree delTree(platform(), uninstallUi);
        int count = 0;
        bool closed = false;
        const std::string folder = mainDir;
        UninstallContext context{platform(), uninstallUi, uninstallState, count, folder, title,
                                 title, [](const std::string&) {}, delTree, [&closed] { closed = true; },
                                 [this](const std::string& change) { changes.push_back(change); }};
        RunUninstall(context);
        EXPECT_TRUE(closed);
    }

    // The differences between two snapshots, one line each.
    static std::vector<std::string> Differences(const std::map<std::string, std::string>& before,
                                                const std::map<std::string, std::string>& after) {
        std::vector<std::string> differences;
        for (const auto& [name, content] : before) {
            const auto found = after.find(name);
            if (found == after.end()) differences.push_back("gone: " + name);
            else if (found->second != content) differences.push_back("changed: " + name);
        }
        for (const auto& [name, content] : after) {
            if (!before.count(name)) differences.push_back("new: " + name);
        }
        return differences;
    }
};

TEST_F(InstallCycleTest, UninstallingRemovesWhatTheInstallationAdded) {
    const auto before = Snapshot();
    answers = {MessageResult::Yes};  // keep the newer library
    Install();
    ASSERT_TRUE(finishedPageSelected);
    ASSERT_TRUE(files().fileExists("C:\\WINDOWS\\Start Menu\\Programs\\Acme Tools\\Acme.lnk"));

    // The library was there before: the uninstall is told to keep it, and it
    // removes the Windows-folder INI file it asks about.
    answers = {MessageResult::No, MessageResult::Yes};
    Uninstall();
    EXPECT_EQ(Differences(before, Snapshot()), std::vector<std::string>{});
}

// Where the product goes, and which folders the run makes that the uninstall
// cannot remove as part of a whole installation folder.
struct MadeFolderCase {
    std::string name;
    std::string mainDir;
    std::vector<std::string> createdFolders;  // as the log lists them
};

void PrintTo(const MadeFolderCase& c, std::ostream* os) { *os << c.name; }

class MadeFolderTest : public InstallCycleTest, public ::testing::WithParamInterface<MadeFolderCase> {};

TEST_P(MadeFolderTest, FoldersTheRunMadeGoAndTheOthersStay) {
    const MadeFolderCase& c = GetParam();
    WriteFile("C:\\Program Files\\Host\\host.exe", "another program");
    mainDir = c.mainDir;
    AddProductFile("Installation Directory,art", "C:\\Work\\art\\acme.bmp", "BM");
    const auto before = Snapshot();
    answers = {MessageResult::Yes};
    Install();
    ASSERT_TRUE(files().fileExists(mainDir + "art\\acme.bmp"));
    EXPECT_EQ(platform().profile().readKeyNames(LogPath(), "Created Folders"), c.createdFolders);

    answers = {MessageResult::No, MessageResult::Yes};
    Uninstall();
    EXPECT_EQ(Differences(before, Snapshot()), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Folders, MadeFolderTest,
    ::testing::Values(MadeFolderCase{"AFolderOfItsOwn", "C:\\Program Files\\Acme\\", {}},
                      MadeFolderCase{"AFolderThatHeldFiles", "C:\\Program Files\\Host\\",
                                     {"C:\\Program Files\\Host\\art\\"}},
                      MadeFolderCase{"BelowFoldersItMade", "C:\\New\\Sub\\Deeper\\",
                                     {"C:\\New\\Sub\\", "C:\\New\\"}}),
    [](const auto& testInfo) { return testInfo.param.name; });

// Ways a run can stop part-way: a question that never comes back, a setting
// that cannot be written.
struct StopCase {
    std::string name;
    bool stopAtQuestion;
};

class KilledRunTest : public InstallCycleTest, public ::testing::WithParamInterface<StopCase> {};

TEST_P(KilledRunTest, ThePartialLogRemovesEverythingInstalledSoFar) {
    if (GetParam().stopAtQuestion) {
        onMessage = [](const hosted::DialogRequest&) { throw Stopped(); };
    } else {
        answers = {MessageResult::Yes};
        state.IniRegistryEntries.Add("c:\\no such folder\\acme.ini,Options,Data,x");
    }
    const auto before = Snapshot();
    EXPECT_ANY_THROW(Install());
    EXPECT_FALSE(finishedPageSelected);
    // The partial log already names the product, so uninstall mode can start from it.
    EXPECT_EQ(platform().profile().readString(LogPath(), "Name", "Title", ""), "Acme");

    onMessage = nullptr;
    answers = {MessageResult::No, MessageResult::Yes};
    Uninstall();
    EXPECT_EQ(Differences(before, Snapshot()), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Stops, KilledRunTest,
                         ::testing::Values(StopCase{"AtTheLibraryQuestion", true}, StopCase{"AtAnIniFile", false}),
                         [](const auto& testInfo) { return testInfo.param.name; });

}  // namespace
}  // namespace tavlin::test
