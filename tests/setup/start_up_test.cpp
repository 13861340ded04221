// The start of a run: the folder an uninstall entry names, the media folder on
// the command line, the expansion folder, and the self-removal batch file.
#include "setup/setup_fixture.h"
#include "setup/start_up.h"
#include "support/folders.h"

namespace tavlin::test {
namespace {

const char* const kUninstallList = "Software\\Microsoft\\Windows\\currentversion\\uninstall\\";

TEST_F(SetupFixture, TheRegisteredEntryNamesTheFolderToStartIn) {
    files().forceDirectories("C:\\Program Files\\My App");
    Registry& registry = machine->registry();
    registry.createKey(RegistryRoot::LocalMachine, std::string(kUninstallList) + "My App");
    registry.writeString(RegistryRoot::LocalMachine, std::string(kUninstallList) + "My App", "UninstallString",
                         "C:\\Program Files\\My App\\setup.exe My App");
    registry.createKey(RegistryRoot::LocalMachine, std::string(kUninstallList) + "Gone");
    registry.writeString(RegistryRoot::LocalMachine, std::string(kUninstallList) + "Gone", "UninstallString",
                         "C:\\Nowhere\\setup.exe Gone");
    struct Case {
        std::string commandLine;
        std::string folder;
    };
    const Case cases[] = {
        {"", "D:\\"},
        {"My App", "C:\\Program Files\\My App"},
        {"My  App", "D:\\"},  // two blanks name another key
        {"Unknown", "D:\\"},
        {"Gone", "D:\\"},     // a folder that cannot be entered is ignored
    };
    for (const Case& c : cases) {
        files().setCurrentDirectory("D:\\");
        ChangeToRegisteredFolder(platform(), c.commandLine);
        EXPECT_EQ(files().currentDirectory(), c.folder) << c.commandLine;
    }
}

TEST_F(SetupFixture, TheCommandLineNamesTheMediaFolderOnlyWhenItEndsWithASeparator) {
    files().forceDirectories("D:\\SETUP");
    struct Case {
        std::string commandLine;
        std::string sourceDir;
        std::string current;
    };
    const Case cases[] = {
        {"", "D:\\", "D:\\"},
        {"D:\\SETUP\\", "D:\\SETUP\\", "D:\\SETUP"},
        {"D:\\SETUP", "D:\\", "D:\\"},
        {"C:", "C:", "C:\\"},  // a drive: taken as written, no "\" added
        {"Acme Widgets", "D:\\", "D:\\"},
    };
    for (const Case& c : cases) {
        files().setCurrentDirectory("D:\\");
        SetupState s;
        InitSetupState(platform(), s, c.commandLine);
        EXPECT_EQ(s.SourceDir, c.sourceDir) << c.commandLine;
        EXPECT_EQ(files().currentDirectory(), c.current) << c.commandLine;
        EXPECT_EQ(s.SegTempDir, "C:\\WINDOWS\\Temp\\");
    }
}

TEST_F(SetupFixture, AMediaFolderThatCannotBeEnteredStopsTheStartNamingIt) {
    SetupState s;
    try {
        InitSetupState(platform(), s, "Q:\\DISK1\\");
        FAIL() << "the start went on";
    } catch (const ESetupStartError& error) {
        EXPECT_NE(std::string(error.what()).find("Q:\\DISK1\\"), std::string::npos) << error.what();
    }
    EXPECT_TRUE(s.ExpandDir.empty());  // nothing claimed, nothing to remove
    // The whole program reports it and stops before any expansion.
    ScriptedFrontEnd none;
    EXPECT_EQ(RunProgram({"Q:\\DISK1\\"}, none), 1);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_NE(asked[0].find("Q:\\DISK1\\"), std::string::npos);
    EXPECT_TRUE(files().findAll("C:\\WINDOWS\\Temp\\tvlp_*").empty());
}

TEST_F(SetupFixture, SetupsStartedInTheSameSecondGetTheirOwnExpansionFolders) {
    SetupState first, second, third;
    InitSetupState(platform(), first, "");
    InitSetupState(platform(), second, "");
    InitSetupState(platform(), third, "");
    EXPECT_EQ(first.ExpandDir, "C:\\WINDOWS\\Temp\\tvlp_093015\\");
    EXPECT_EQ(second.ExpandDir, "C:\\WINDOWS\\Temp\\tvlp_093015_2\\");
    EXPECT_EQ(third.ExpandDir, "C:\\WINDOWS\\Temp\\tvlp_093015_3\\");
    for (const SetupState* s : {&first, &second, &third}) EXPECT_TRUE(files().directoryExists(s->ExpandDir));
}

// The expansion goes below the Windows folder's Temp as that folder spells
// itself; without one, the run makes "Temp".
TEST_F(SetupFixture, TheExpansionFolderTakesTheTempFolderAsItIsSpelt) {
    struct Case {
        const char* onDisk;  // the temp folder as it stands, or nothing
        const char* expected;
    };
    for (const Case& c : {Case{"TEMP", "C:\\WINDOWS\\TEMP\\"}, Case{"temp", "C:\\WINDOWS\\temp\\"},
                          Case{nullptr, "C:\\WINDOWS\\Temp\\"}}) {
        SCOPED_TRACE(c.expected);
        for (const auto& old : files().findAll("C:\\WINDOWS\\Temp\\tvlp_*")) {
            ASSERT_TRUE(files().removeDirectory("C:\\WINDOWS\\Temp\\" + old.name));
        }
        ASSERT_TRUE(files().removeDirectory("C:\\WINDOWS\\Temp"));
        if (c.onDisk) {
            ASSERT_TRUE(files().createDirectory(std::string("C:\\WINDOWS\\") + c.onDisk));
        }
        SetupState s;
        InitSetupState(platform(), s, "");
        EXPECT_EQ(s.SegTempDir, c.expected);
        EXPECT_EQ(s.ExpandDir, std::string(c.expected) + "tvlp_093015\\");
        EXPECT_TRUE(files().directoryExists(s.ExpandDir));
    }
}

TEST_F(SetupFixture, InUninstallModeEverythingHappensInTheProgramsFolder) {
    files().forceDirectories("C:\\Apps\\Acme");
    files().setCurrentDirectory("C:\\Apps\\Acme");
    SetupState s;
    s.UninstallMode = true;
    InitSetupState(platform(), s, "Acme");
    EXPECT_EQ(s.SourceDir, "C:\\Apps\\Acme\\");
    EXPECT_EQ(s.ExpandDir, "C:\\Apps\\Acme\\");
    EXPECT_EQ(s.SegTempDir, "C:\\Apps\\Acme\\");
    EXPECT_TRUE(files().findAll("C:\\WINDOWS\\Temp\\tvlp_*").empty());
}

TEST_F(SetupFixture, AStoppedUninstallIsFinishedWithTheFoldersItsInstallationMadeAbove) {
    // An installation into C:\New\Sub that made C:\New, its uninstall stopped
    // after the log had gone: the entry alone tells what is left.
    constexpr auto machineRoot = RegistryRoot::LocalMachine;
    Registry& registry = machine->registry();
    const std::string key = std::string(kUninstallList) + "Acme";
    ASSERT_TRUE(registry.createKey(machineRoot, key));
    registry.writeString(machineRoot, key, "UninstallString", "C:\\New\\Sub\\setup.exe Acme");
    registry.writeString(machineRoot, key, "Created Folder 1", "C:\\New\\");
    registry.writeString(machineRoot, key, "Created Folder 2", "C:\\New\\..\\Kept\\");  // refused: it climbs out
    WriteFile("C:\\New\\Sub\\setup.exe", "MZ");
    ASSERT_TRUE(files().forceDirectories("C:\\Kept"));

    const SelfRemovalExtras extras = SelfRemovalExtrasOf(platform(), "C:\\New\\Sub\\", "Acme");
    EXPECT_EQ(extras.FoldersAbove, 1u);
    EXPECT_EQ(extras.EntryName, "Acme");

    std::vector<std::string> changes;
    EXPECT_TRUE(FinishStoppedUninstall(platform(), "Acme", [&](const std::string& change) { changes.push_back(change); }));
    EXPECT_FALSE(Exists("C:\\New"));
    EXPECT_TRUE(Exists("C:\\Kept"));
    EXPECT_FALSE(registry.openKey(machineRoot, key));
    EXPECT_EQ(changes, (std::vector<std::string>{"Deleted file C:\\New\\Sub\\setup.exe", "Removed folder C:\\New\\Sub\\",
                                                 "Removed folder C:\\New\\",
                                                 "Deleted registry key HKEY_LOCAL_MACHINE\\" + key}));
}

TEST_F(SetupFixture, BatchFileWalksDownInShortNamesAndRemovesTheFolder) {
    files().forceDirectories("C:\\Program Files\\My App");
    const std::string shortFolder = ShortPathOf(platform(), "C:\\Program Files\\My App\\");
    ASSERT_EQ(shortFolder, "C:\\PROGRA~1\\MYAPP~1\\");
    EXPECT_EQ(SelfRemovalBatchLines(platform(), "C:\\Program Files\\My App\\").Lines(),
              BatchDeletingSetupExe({"Rem Goto Drive of Installed Files.", "C:", "cd\\", "cd PROGRA~1", "cd MYAPP~1"},
                                    {"cd..", "rd MYAPP~1", "exit"}));
    // A folder without a short form is used as it is.
    EXPECT_EQ(SelfRemovalBatchLines(platform(), "E:\\Tools\\").Lines(),
              BatchDeletingSetupExe({"Rem Goto Drive of Installed Files.", "E:", "cd\\", "cd Tools"},
                                    {"cd..", "rd Tools", "exit"}));
    // The parents the installation made go too, as far as there are any, and the
    // uninstall entry once the program is gone ("%" doubled for the interpreter).
    EXPECT_EQ(SelfRemovalBatchLines(platform(), "E:\\New\\Sub\\", {5, "Acme 100%"}).Lines(),
              BatchDeletingSetupExe(
                  {"Rem Goto Drive of Installed Files.", "E:", "cd\\", "cd New", "cd Sub"},
                  {"cd..", "rd Sub", "cd..", "rd New",
                  "if not exist \"E:\\New\\Sub\\setup.exe\" reg delete "
                  "\"HKLM\\Software\\Microsoft\\Windows\\currentversion\\uninstall\\Acme 100%%\" /f",
                  "exit"}));
    // A program in the root of a drive has no folder to remove.
    EXPECT_EQ(SelfRemovalBatchLines(platform(), "C:\\").Lines(),
              BatchDeletingSetupExe({"Rem Goto Drive of Installed Files.", "C:", "cd\\"}, {"exit"}));
}

}  // namespace
}  // namespace tavlin::test
