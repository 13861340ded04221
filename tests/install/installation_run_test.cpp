// Whole installation runs on a hosted machine: what is copied where, what the
// uninstall log records and in which order, the older-library question, repeated
// targets, installations into shared folders and the failures that end a run.
#include <gtest/gtest.h>

#include <algorithm>

#include "install/ini_registry.h"
#include "install/install_fixture.h"
#include "install/installation_run.h"
#include "install/path_macros.h"
#include "platform/hosted/shell_link_file.h"
#include "support/ini_file.h"

namespace tavlin::test {
namespace {

using Lines = std::vector<std::string>;

class InstallationRunTest : public InstallFixture {
protected:
    Lines Logged(const std::string& section) { return platform().profile().readKeyNames(LogPath(), section); }

    bool HasChange(const std::string& line) { return std::find(changes.begin(), changes.end(), line) != changes.end(); }
};

TEST_F(InstallationRunTest, TheExampleProductLeavesTheDescribedLogAndSettings) {
    UseAcmeProduct();
    WriteFile("C:\\AUTOEXEC.BAT", "@ECHO OFF\r\n");
    files().deleteFile("C:\\CONFIG.SYS");
    Install();

    EXPECT_EQ(NonBlankLines(LogPath()), (Lines{
                                            "[Files]",
                                            "C:\\Program Files\\Acme\\*.*=",
                                            "C:\\WINDOWS\\System\\acmelib.dll=",
                                            "C:\\WINDOWS\\Start Menu\\Acme.lnk=",
                                            "C:\\WINDOWS\\Start Menu\\Programs\\Acme Tools\\Acme.lnk=",
                                            "C:\\WINDOWS\\ACME.INI=",
                                            "[Folder]",
                                            "C:\\WINDOWS\\Start Menu\\Acme Tools=",
                                            "C:\\WINDOWS\\Start Menu\\Programs\\Acme Tools=",
                                            "[Registry]",
                                            "HKEY_LOCAL_MACHINE\\\\SOFTWARE\\ACME=",
                                            "[Name]",
                                            "Title=Acme",
                                        }));

    EXPECT_EQ(ReadFile("C:\\Program Files\\Acme\\acme.exe"), "acme program");
    EXPECT_EQ(ReadFile("C:\\WINDOWS\\System\\acmelib.dll"), "acme library");
    for (const char* name : {"setup.exe", "install.cfg", "finstall.cfg"}) {
        EXPECT_EQ(ReadFile(mainDir + name), ReadFile(state.ExpandDir + name)) << name;
    }
    EXPECT_EQ(platform().profile().readString("C:\\WINDOWS\\ACME.INI", "OPTIONS", "DATA", ""),
              "C:\\PROGRAM FILES\\ACME\\DATA");
    // The value's macro lacks its backslash, so it stays as written, in upper case.
    EXPECT_EQ(platform().registry().readString(RegistryRoot::LocalMachine, "SOFTWARE\\ACME", "PATH"), "<INSTALLDIR>");
    EXPECT_EQ(NonBlankLines("C:\\AUTOEXEC.BAT"), (Lines{"@ECHO OFF", "REM:START VIVUro ->Acme",
                                                        "SET ACMEDIR=C:\\PROGRA~1\\ACME\\",
                                                        "COPY/Y C:\\PROGRA~1\\ACME\\ACME.INI C:\\", "REM:END VIVUro ->Acme"}));
    EXPECT_EQ(ReadFile("C:\\CONFIG.SYS"), "");
    for (const char* link : {"C:\\WINDOWS\\Start Menu\\Acme.lnk", "C:\\WINDOWS\\Start Menu\\Programs\\Acme Tools\\Acme.lnk"}) {
        const auto bytes = ReadFile(link);
        ASSERT_TRUE(bytes) << link;
        const auto data = hosted::decodeShellLink(*bytes);
        EXPECT_EQ(data.target, "C:\\Program Files\\Acme\\acme.exe");
        EXPECT_EQ(data.workingDirectory, "C:\\Program Files\\Acme\\");
        EXPECT_EQ(data.arguments, "/fast");
        EXPECT_EQ(data.iconLocation, "C:\\Program Files\\Acme\\acme.ico");
        EXPECT_EQ(data.showCommand, swShowNormal);
    }
    EXPECT_FALSE(files().fileExists("C:\\WINDOWS\\Desktop\\Acme.lnk"));

    const std::string entry = std::string(kUninstallListKey) + "Acme";
    EXPECT_EQ(platform().registry().readString(RegistryRoot::LocalMachine, entry, "DisplayName"), "Acme");
    EXPECT_EQ(platform().registry().readString(RegistryRoot::LocalMachine, entry, "UninstallString"),
              "C:\\Program Files\\Acme\\setup.exe Acme");

    EXPECT_EQ(stages, (Lines{"Updating Settings", "Creating Folders", "Updating Registry Settings"}));
    EXPECT_TRUE(finishedPageSelected);
    EXPECT_EQ(progress->MaxProgress, 4);  // two files of the product + 2
    EXPECT_EQ(progressCount, 5);          // and the three setup files
    EXPECT_FALSE(progress->Active());

    EXPECT_TRUE(HasChange("Created folder C:\\Program Files\\Acme\\"));
    EXPECT_TRUE(HasChange("Copied file C:\\WINDOWS\\Temp\\tvlp_093015\\Work\\acmelib.dll to "
                          "C:\\WINDOWS\\System\\acmelib.dll"));
    EXPECT_TRUE(HasChange("Rewrote start-up file C:\\AUTOEXEC.BAT"));
    EXPECT_TRUE(HasChange("Set registry value HKEY_LOCAL_MACHINE\\SOFTWARE\\ACME\\PATH = <INSTALLDIR>"));
    EXPECT_TRUE(HasChange("Set registry value HKEY_LOCAL_MACHINE\\" + entry + "\\DisplayName = Acme"));
}

TEST_F(InstallationRunTest, AnEmptyFileListStillInstallsTheSetupAndRegistersIt) {
    AddSetupFiles();
    mainDir = "C:\\Program Files\\Acme";  // as typed, without the backslash
    Install();
    EXPECT_EQ(mainDir, "C:\\Program Files\\Acme\\");
    EXPECT_EQ(state.ArchiveFileList.Lines(),
              (Lines{"Installation Directory,C:\\setup.exe", "Installation Directory,C:\\install.cfg",
                     "Installation Directory,C:\\finstall.cfg"}));
    EXPECT_TRUE(files().fileExists(mainDir + "setup.exe"));
    EXPECT_EQ(NonBlankLines(LogPath()),
              (Lines{"[Files]", "C:\\Program Files\\Acme\\*.*=", "[Folder]", "[Registry]", "[Name]", "Title=Acme"}));
    EXPECT_EQ(platform().registry().readString(RegistryRoot::LocalMachine, std::string(kUninstallListKey) + "Acme",
                                               "DisplayName"),
              "Acme");
}

// What one more line of the file list adds to the log ([Files] and [Folder]).
struct LogCase {
    std::string fields;
    std::string builderPath;
    Lines files;
    Lines folders;
};

class LogEntryTest : public InstallationRunTest, public ::testing::WithParamInterface<LogCase> {};

TEST_P(LogEntryTest, LogsTheTargetFolderOrFile) {
    AddSetupFiles();
    AddProductFile(GetParam().fields, GetParam().builderPath, "data");
    Install();
    Lines expected = GetParam().files;
    expected.push_back("C:\\Program Files\\Acme\\*.*");
    EXPECT_EQ(Logged("Files"), expected);
    EXPECT_EQ(Logged("Folder"), GetParam().folders);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, LogEntryTest,
    ::testing::Values(
        LogCase{"System", "C:\\Work\\X.DLL", {"C:\\WINDOWS\\System\\X.DLL"}, {}},
        LogCase{"System32", "C:\\Work\\X.DLL", {"C:\\WINDOWS\\System32\\X.DLL"}, {}},
        LogCase{"Windows", "C:\\Work\\acme.hlp", {"C:\\WINDOWS\\acme.hlp"}, {}},
        LogCase{"System,Sub", "C:\\Work\\y.dll", {"C:\\WINDOWS\\System\\Sub\\*.*"}, {}},
        LogCase{"Installation Directory\tData", "C:\\Work\\Data\\", {"C:\\Program Files\\Acme\\Data\\*.*"},
                {"C:\\Program Files\\Acme\\Data\\"}},
        LogCase{"System", "C:\\Work\\Fonts\\", {}, {}},
        // Folders that other software shares are logged file by file.
        LogCase{"Program Files", "C:\\Work\\z.txt", {"C:\\Program Files\\z.txt"}, {}},
        LogCase{"Root", "C:\\Work\\r.txt", {"C:\\r.txt"}, {}},
        LogCase{"Program Files\tShared", "C:\\Work\\s.dll", {"C:\\Program Files\\Shared\\*.*"}, {}}));

TEST_F(InstallationRunTest, AnInstallationIntoASharedFolderLogsEachFile) {
    AddSetupFiles();
    AddProductFile("Installation Directory", "C:\\Work\\acme.exe", "acme program");
    state.LogoFile = "Work\\logo.gif";
    WriteFile(state.ExpandDir + "Work\\logo.gif", "GIF");
    mainDir = "C:\\Program Files\\";
    Install();
    EXPECT_EQ(Logged("Files"), (Lines{"C:\\Program Files\\acme.exe", "C:\\Program Files\\setup.exe",
                                      "C:\\Program Files\\install.cfg", "C:\\Program Files\\finstall.cfg",
                                      "C:\\Program Files\\uninstaller.cfg", "C:\\Program Files\\logo.gif"}));
    EXPECT_TRUE(files().fileExists("C:\\Program Files\\logo.gif"));
}

TEST_F(InstallationRunTest, AMissingLogoDoesNotStopTheRun) {
    AddSetupFiles();
    state.LogoFile = "Art\\missing.gif";
    state.BitmapFile = "Art\\back.bmp";
    WriteFile(state.ExpandDir + "Art\\back.bmp", "BM");
    Install();
    EXPECT_TRUE(finishedPageSelected);
    EXPECT_EQ(ReadFile(mainDir + "back.bmp"), "BM");
}

TEST_F(InstallationRunTest, TwoInstallationsIntoOneFolderLeaveTheSecondLog) {
    AddSetupFiles();
    AddProductFile("System", "C:\\Work\\old.dll", "old");
    Install();
    state = SetupState{};
    state.ExpandDir = "C:\\WINDOWS\\Temp\\tvlp_093015\\";
    AddProductFile("Installation Directory", "C:\\Work\\new.exe", "new");
    Install();
    EXPECT_EQ(Logged("Files"), (Lines{"C:\\Program Files\\Acme\\*.*"}));
}

// The older-file rule: an existing file newer than the one being copied.
enum class Existing { None, Older, Same, Newer };

struct OlderFileCase {
    std::string name;
    Existing existing;
    MessageResult answer;
    bool asked;
    std::string result;
};

class OlderFileTest : public InstallationRunTest, public ::testing::WithParamInterface<OlderFileCase> {};

const LocalTime kSourceTime{2020, 1, 1, 10, 0, 0};

TEST_P(OlderFileTest, AsksOnlyAboutNewerLibraries) {
    const OlderFileCase& c = GetParam();
    AddSetupFiles();
    AddProductFile("Installation Directory", "C:\\Work\\" + c.name, "new", kSourceTime);
    if (c.existing != Existing::None) {
        const LocalTime times[] = {{}, {2019, 3, 4, 5, 6, 8}, kSourceTime, {2022, 6, 30, 14, 20, 0}};
        WriteFile(mainDir + c.name, "old", times[static_cast<int>(c.existing)]);
    }
    answers.push_back(c.answer);
    Install();
    EXPECT_EQ(asked.size(), c.asked ? 1u : 0u);
    EXPECT_EQ(ReadFile(mainDir + c.name), c.result);
}

INSTANTIATE_TEST_SUITE_P(
    Files, OlderFileTest,
    ::testing::Values(OlderFileCase{"MSVCRT.DLL", Existing::Newer, MessageResult::Yes, true, "old"},
                      OlderFileCase{"MSVCRT.DLL", Existing::Newer, MessageResult::No, true, "new"},
                      OlderFileCase{"msvcrt.dll", Existing::Newer, MessageResult::Yes, true, "old"},
                      OlderFileCase{"README.TXT", Existing::Newer, MessageResult::Yes, false, "new"},
                      OlderFileCase{"ACME.DLL", Existing::Same, MessageResult::Yes, false, "new"},
                      OlderFileCase{"ACME.DLL", Existing::Older, MessageResult::Yes, false, "new"},
                      OlderFileCase{"ACME.DLL", Existing::None, MessageResult::Yes, false, "new"}));

TEST_F(InstallationRunTest, TheOlderLibraryQuestionShowsBothDatesAndKeepsTheFileWhenNoOneAnswers) {
    const LocalTime newer{2022, 6, 30, 14, 20, 0};
    AddSetupFiles();
    AddProductFile("System", "C:\\Work\\MSVCRT.DLL", "new", kSourceTime);
    WriteFile("C:\\WINDOWS\\System\\MSVCRT.DLL", "old", newer);
    Install();
    ASSERT_EQ(asked.size(), 1u);
    Clock& clock = platform().clock();
    EXPECT_EQ(asked[0].text, "File being copied is older than the file on PC\r\rDo you wish to keep existing file:\r"
                             "MSVCRT.DLL\r" + clock.formatLongDateShortTime(newer) + "\r\rMSVCRT.DLL\r" +
                                 clock.formatLongDateShortTime(kSourceTime));
    EXPECT_EQ(asked[0].caption, "Acme");
    EXPECT_EQ(asked[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(asked[0].safeDefault, MessageResult::Yes);
    EXPECT_EQ(ReadFile("C:\\WINDOWS\\System\\MSVCRT.DLL"), "old");
    EXPECT_EQ(Logged("Files"), (Lines{"C:\\WINDOWS\\System\\MSVCRT.DLL", "C:\\Program Files\\Acme\\*.*"}));
}

TEST_F(InstallationRunTest, AMissingSourceLeavesANewerLibraryAloneWithoutAsking) {
    AddSetupFiles();
    state.ArchiveFileList.Add("Installation Directory,C:\\Work\\GONE.DLL");
    WriteFile(mainDir + "GONE.DLL", "old", LocalTime{2022, 6, 30, 14, 20, 0});
    // No question about dates; the failed copy is asked about, and Ignore goes on.
    answers.push_back(MessageResult::Ignore);
    Install();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].buttons, MessageButtons::AbortRetryIgnore);
    EXPECT_EQ(asked[0].text.find("older"), std::string::npos);
    EXPECT_NE(asked[0].text.find("C:\\Program Files\\Acme\\GONE.DLL"), std::string::npos);
    EXPECT_EQ(ReadFile(mainDir + "GONE.DLL"), "old");
    EXPECT_TRUE(finishedPageSelected);
}

TEST_F(InstallationRunTest, AFolderRemovedBetweenItsFilesIsMadeAgainForTheNextOne) {
    AddSetupFiles();
    AddProductFile("Installation Directory,art", "C:\\Work\\art\\one.bmp", "one");
    AddProductFile("Installation Directory,art", "C:\\Work\\art\\two.bmp", "two");
    BuildInstallLists(*machine, state, mainDir);
    auto context = Context();
    const std::string art = mainDir + "art\\";
    // Someone removes the folder right after its first file arrived.
    context.RecordChange = [&](const std::string& change) {
        changes.push_back(change);
        if (change.find(art + "one.bmp") == std::string::npos) return;
        ASSERT_TRUE(files().deleteFile(art + "one.bmp"));
        ASSERT_TRUE(files().removeDirectory(art));
    };
    RunInstallation(context);
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(ReadFile(art + "two.bmp"), "two");
    EXPECT_EQ(std::count(changes.begin(), changes.end(), "Created folder " + art), 2);
    EXPECT_TRUE(finishedPageSelected);
}

struct RepeatCase {
    bool launchApp;
    bool firstSourceKept;
};

class RepeatedTargetTest : public InstallationRunTest, public ::testing::WithParamInterface<RepeatCase> {};

TEST_P(RepeatedTargetTest, TheFirstSourceOfARepeatedTargetIsDeleted) {
    AddSetupFiles();
    AddProductFile("Installation Directory", "C:\\A\\readme.txt", "first");
    AddProductFile("Installation Directory", "C:\\B\\readme.txt", "second");
    if (GetParam().launchApp) state.LaunchApps.Add(state.ExpandDir + "Tools\\readme.txt");
    Install();
    EXPECT_EQ(ReadFile(mainDir + "readme.txt"), "second");
    EXPECT_EQ(files().fileExists(state.ExpandDir + "A\\readme.txt"), GetParam().firstSourceKept);
    EXPECT_TRUE(files().fileExists(state.ExpandDir + "B\\readme.txt"));
}

INSTANTIATE_TEST_SUITE_P(Targets, RepeatedTargetTest,
                         ::testing::Values(RepeatCase{false, false}, RepeatCase{true, true}));

TEST_F(InstallationRunTest, ALogThatCannotBeWrittenEndsTheRunBeforeAnyFileIsCopied) {
    UseAcmeProduct();
    WriteFile(LogPath(), "[Files]\r\n");
    ASSERT_TRUE(files().setAttributes(LogPath(), faReadOnly));
    try {
        Install();
        FAIL() << "no exception";
    } catch (const EIniFileException& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + LogPath());
    }
    EXPECT_FALSE(files().fileExists(mainDir + "acme.exe"));
    EXPECT_FALSE(finishedPageSelected);
}

}  // namespace
}  // namespace tavlin::test
