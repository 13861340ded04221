// The uninstall run on hand-written logs: what goes, what is asked about, what
// stays (protected folders, answered No, folders that still hold something), the
// uninstall entry, the progress shown and the closing of the screen.
#include <algorithm>
#include <filesystem>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "install/ini_registry.h"
#include "install/setup_state.h"
#include "engine_fixture.h"
#include "controls/progress_dialog.h"
#include "uninstall/del_tree.h"
#include "uninstall/uninstall_run.h"

namespace tavlin {
namespace {

const std::string kInstallFolder = "C:\\Program Files\\Acme\\";
const std::string kListKey = kUninstallListKey;
// The list's own key, for its values.
const std::string kList = kListKey.substr(0, kListKey.size() - 1);

std::string Question(const std::string& entry) { return "File Possible used by Windows.\r" + entry + "\rDelete Anyway?"; }

class UninstallRunTest : public test::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        delTree = std::make_unique<TDelTree>(platform(), *ui);
        state.UninstallMode = true;
        state.ExpandDir = kInstallFolder;
        WriteFile(kInstallFolder + "acme.exe", "program");
        WriteFile(kInstallFolder + "setup.exe", "setup");
        WriteFile(kInstallFolder + "Data\\acme.dat", "data");
        Registry& registry = machine->registry();
        registry.createKey(RegistryRoot::LocalMachine, kListKey + "Acme");
        registry.writeString(RegistryRoot::LocalMachine, kListKey + "Acme", "DisplayName", "Acme");
        registry.writeString(RegistryRoot::LocalMachine, kListKey + "Acme", "UninstallString",
                             kInstallFolder + "setup.exe Acme");
        registry.writeString(RegistryRoot::LocalMachine, kList, "Acme", "x");
        registry.createKey(RegistryRoot::LocalMachine, kListKey + "Other");
        registry.writeString(RegistryRoot::LocalMachine, kList, "Other", "y");
        // Every distinct look of the progress window while it is open.
        application->OnProcessMessages = [this] {
            if (const TForm_Progress* window = progress->Window()) {
                const Shown now{window->ProgressBar_StatusIndicator.Position(), window->Label_ProcessStatus1.Caption,
                                window->Label_ProcessStatus2.Caption};
                if (shown.empty() || shown.back() != now) shown.push_back(now);
            }
        };
    }

    void WriteLog(const std::string& text) { WriteFile(kInstallFolder + "uninstaller.cfg", text); }

    void Run() {
        UninstallContext context{platform(),
                                 *ui,
                                 state,
                                 progressCount,
                                 uninstallFolder,
                                 uninstallName,
                                 title,
                                 [this](const std::string& text) { secondLine = text; },
                                 *delTree,
                                 [this] { ++closed; },
                                 [this](const std::string& change) { changes.push_back(change); },
                                 [this](const std::string& note) { notes.push_back(note); }};
        RunUninstall(context);
    }

    bool KeyExists(RegistryRoot root, const std::string& path) { return machine->registry().openKey(root, path); }

    using Shown = std::tuple<int, std::string, std::string>;

    SetupState state;
    std::unique_ptr<TDelTree> delTree;
    int progressCount = 0;
    std::string uninstallFolder = kInstallFolder;
    std::string uninstallName = "Acme";
    std::string title = "Acme";
    std::string secondLine;
    int closed = 0;
    std::vector<std::string> changes;
    std::vector<std::string> notes;
    std::vector<Shown> shown;
};

TEST_F(UninstallRunTest, RemovesEverythingTheLogLists) {
    WriteFile("C:\\WINDOWS\\System\\acmelib.dll", "lib");
    WriteFile("C:\\WINDOWS\\Start Menu\\Acme.lnk", "link");
    WriteFile("C:\\WINDOWS\\Start Menu\\Programs\\Acme Tools\\Acme.lnk", "link");
    WriteFile("C:\\WINDOWS\\ACME.INI", "[OPTIONS]\r\nDATA=1\r\n");
    files().forceDirectories("C:\\WINDOWS\\Start Menu\\Acme Tools");
    machine->registry().createKey(RegistryRoot::LocalMachine, "SOFTWARE\\ACME\\Sub");
    machine->registry().createKey(RegistryRoot::LocalMachine, "SOFTWARE\\ACMEX");
    WriteFile("C:\\AUTOEXEC.BAT", "@ECHO OFF\r\nREM:START VIVUro ->Acme\r\nSET ACME=1\r\nREM:END VIVUro ->Acme\r\nX\r\n");
    WriteLog(
        "[Files]\r\n"
        "C:\\Program Files\\Acme\\*.*=\r\n"
        "C:\\WINDOWS\\System\\acmelib.dll=\r\n"
        "C:\\WINDOWS\\Start Menu\\Acme.lnk=\r\n"
        "C:\\WINDOWS\\Start Menu\\Programs\\Acme Tools\\Acme.lnk=\r\n"
        "C:\\WINDOWS\\ACME.INI=\r\n"
        "[Folder]\r\n"
        "C:\\WINDOWS\\Start Menu\\Acme Tools=\r\n"
        "C:\\WINDOWS\\Start Menu\\Programs\\Acme Tools=\r\n"
        "[Registry]\r\n"
        "HKEY_LOCAL_MACHINE\\\\SOFTWARE\\ACME=\r\n"
        "[Name]\r\n"
        "Title=Acme\r\n");
    answers = {MessageResult::Yes, MessageResult::Yes};
    Run();

    // Shortcuts below the Windows folder are not asked about; the library and the
    // INI file are. A silent run keeps the library, which other programs may share,
    // and removes the INI file, which a log names only when the product made it.
    EXPECT_EQ(QuestionTexts(), (std::vector<std::string>{Question("C:\\WINDOWS\\System\\acmelib.dll"),
                                                          Question("C:\\WINDOWS\\ACME.INI")}));
    for (const auto& q : questions) EXPECT_EQ(q.buttons, MessageButtons::YesNoAll);
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_EQ(questions[0].safeDefault, MessageResult::No);
    EXPECT_EQ(questions[1].safeDefault, MessageResult::Yes);
    for (const char* gone : {"C:\\WINDOWS\\System\\acmelib.dll", "C:\\WINDOWS\\Start Menu\\Acme.lnk",
                             "C:\\WINDOWS\\Start Menu\\Programs\\Acme Tools", "C:\\WINDOWS\\Start Menu\\Acme Tools",
                             "C:\\WINDOWS\\ACME.INI", "C:\\Program Files\\Acme"}) {
        EXPECT_FALSE(Exists(gone)) << gone;
    }
    EXPECT_TRUE(files().directoryExists("C:\\Program Files"));
    EXPECT_EQ(ReadFile("C:\\AUTOEXEC.BAT"), "@ECHO OFF\r\nX\r\n");
    EXPECT_FALSE(KeyExists(RegistryRoot::LocalMachine, "SOFTWARE\\ACME"));
    EXPECT_TRUE(KeyExists(RegistryRoot::LocalMachine, "SOFTWARE\\ACMEX"));
    EXPECT_FALSE(KeyExists(RegistryRoot::LocalMachine, kListKey + "Acme"));
    EXPECT_FALSE(machine->registry().readString(RegistryRoot::LocalMachine, kList, "Acme").has_value());
    EXPECT_TRUE(KeyExists(RegistryRoot::LocalMachine, kListKey + "Other"));
    EXPECT_EQ(machine->registry().readString(RegistryRoot::LocalMachine, kList, "Other"), "y");
    EXPECT_EQ(secondLine, "All Files,Folders and Icons Removed");
    EXPECT_EQ(closed, 1);
    EXPECT_NE(std::find(changes.begin(), changes.end(), "Deleted file C:\\Program Files\\Acme\\acme.exe"),
              changes.end());
}

TEST_F(UninstallRunTest, ProgressCountsFilesFoldersAndRegistryKeys) {
    WriteLog(
        "[Files]\r\nC:\\Program Files\\Acme\\*.*=\r\nC:\\Program Files\\Acme\\Data\\acme.dat=\r\n"
        "[Registry]\r\nHKEY_CURRENT_USER\\SOFTWARE\\ACME=\r\n"
        "[Folder]\r\nC:\\Program Files\\Acme\\Data=\r\n");
    Run();
    EXPECT_EQ(progress->MaxProgress, 4);
    EXPECT_EQ(progressCount, 4);
    EXPECT_EQ(progress->CommonAvi, aviDeleteFile);
    EXPECT_TRUE(progress->Center);
    EXPECT_FALSE(progress->Active());  // reaching the maximum closed the window
    const std::vector<Shown> expected = {
        {0, "", ""},
        {1, "Un-Installing ..", "*.*"},
        {2, "Un-Installing ..", "acme.dat"},
        {3, "Un-Installing .. Folders", "C:\\Program Files\\Acme\\Data"},
    };
    EXPECT_EQ(shown, expected);
}

struct AnswerCase {
    const char* name;
    std::vector<MessageResult> answers;
    std::size_t questionsAsked;
    bool aGone, bGone;
};

void PrintTo(const AnswerCase& c, std::ostream* os) { *os << c.name; }

class SystemFileAnswerTest : public UninstallRunTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(SystemFileAnswerTest, AnswersDecideWhatGoes) {
    const AnswerCase& c = GetParam();
    WriteFile("C:\\WINDOWS\\System\\A.DLL", "a");
    WriteFile("C:\\WINDOWS\\System\\B.DLL", "b");
    WriteLog("[Files]\r\nc:\\windows\\system\\A.DLL=\r\nC:\\WINDOWS\\System\\B.DLL=\r\n");
    answers.assign(c.answers.begin(), c.answers.end());
    Run();
    ASSERT_EQ(questions.size(), c.questionsAsked);
    EXPECT_EQ(questions[0].text, Question("c:\\windows\\system\\A.DLL"));
    EXPECT_EQ(Exists("C:\\WINDOWS\\System\\A.DLL"), !c.aGone);
    EXPECT_EQ(Exists("C:\\WINDOWS\\System\\B.DLL"), !c.bGone);
    EXPECT_EQ(closed, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, SystemFileAnswerTest,
    ::testing::Values(AnswerCase{"YesThenNo", {MessageResult::Yes, MessageResult::No}, 2, true, false},
                      AnswerCase{"NoThenYes", {MessageResult::No, MessageResult::Yes}, 2, false, true},
                      AnswerCase{"AllAsksOnce", {MessageResult::All}, 1, true, true},
                      AnswerCase{"NoThenAll", {MessageResult::No, MessageResult::All}, 2, false, true},
                      AnswerCase{"SilentRunKeepsThem", {}, 2, false, false}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(UninstallRunTest, ASilentRunRemovesOnlyTheProductsOwnIniFilesInTheWindowsFolder) {
    const std::vector<std::pair<std::string, bool>> entries = {
        {"C:\\WINDOWS\\ACME.INI", true},        // named singly: the product made it
        {"C:\\WINDOWS\\WIN.INI", false},        // shared by every program
        {"C:\\WINDOWS\\System\\acme.dll", false},  // a library others may use
        {"C:\\WINDOWS\\Acme\\acme.cfg", false},
    };
    std::string log = "[Files]\r\n";
    for (const auto& [path, gone] : entries) {
        WriteFile(path, "x");
        log += path + "=\r\n";
    }
    WriteLog(log);
    Run();  // no answers: each question takes its safe default
    EXPECT_EQ(questions.size(), entries.size());
    for (const auto& [path, gone] : entries) EXPECT_EQ(Exists(path), !gone) << path;
}

TEST_F(UninstallRunTest, OnlyFilesBelowTheWindowsFoldersAreAskedAbout) {
    WriteFile("C:\\WINDOWS\\Acme\\acme.cfg", "x");
    WriteFile("C:\\WINDOWSX\\acme.cfg", "x");
    WriteFile("C:\\WINDOWS\\Desktop\\Acme.LNK", "x");
    WriteLog("[Files]\r\nC:\\WINDOWS\\Acme\\acme.cfg=\r\nC:\\WINDOWSX\\acme.cfg=\r\nC:\\WINDOWS\\Desktop\\Acme.LNK=\r\n"
             "C:\\Program Files\\Acme\\*.*=\r\n");
    Run();
    EXPECT_EQ(QuestionTexts(), std::vector<std::string>{Question("C:\\WINDOWS\\Acme\\acme.cfg")});
    EXPECT_TRUE(Exists("C:\\WINDOWS\\Acme\\acme.cfg"));  // the silent answer keeps it
    EXPECT_FALSE(Exists("C:\\WINDOWSX\\acme.cfg"));
    EXPECT_FALSE(Exists("C:\\WINDOWS\\Desktop\\Acme.LNK"));
}

struct FolderOrderCase {
    const char* name;
    const char* folders;
    bool toolsGone;
};

void PrintTo(const FolderOrderCase& c, std::ostream* os) { *os << c.name; }

class FolderOrderTest : public UninstallRunTest, public ::testing::WithParamInterface<FolderOrderCase> {};

TEST_P(FolderOrderTest, FoldersGoInLogOrderWhenEmpty) {
    files().forceDirectories("C:\\Tools\\Sub");
    WriteFile("C:\\Tools\\Sub\\t.txt", "x");
    WriteLog(std::string("[Files]\r\nC:\\Tools\\Sub\\*.*=\r\n[Folder]\r\n") + GetParam().folders);
    Run();
    EXPECT_FALSE(Exists("C:\\Tools\\Sub"));
    EXPECT_EQ(Exists("C:\\Tools"), !GetParam().toolsGone);
}

INSTANTIATE_TEST_SUITE_P(Orders, FolderOrderTest,
                         ::testing::Values(FolderOrderCase{"DeepestFirst", "C:\\Tools\\Sub=\r\nC:\\Tools\\=\r\n", true},
                                           FolderOrderCase{"ParentFirst", "C:\\Tools=\r\nC:\\Tools\\Sub\\=\r\n", false}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(UninstallRunTest, FoldersTheRunMadeGoDeepestFirstWhenEmpty) {
    // Installed into C:\New\Sub\ below a folder the run made, with folders made
    // inside one that the user keeps things in; the log lists them parents first.
    uninstallFolder = "C:\\New\\Sub\\";
    state.ExpandDir = uninstallFolder;
    WriteFile("C:\\New\\Sub\\acme.exe", "ours");
    WriteFile("C:\\Data\\mine.txt", "the user's");
    files().forceDirectories("C:\\Data\\art\\big");
    files().forceDirectories("C:\\Data\\used");
    WriteFile("C:\\Data\\used\\later.txt", "the user's");
    files().forceDirectories("C:\\Data\\kept");
    WriteFile("C:\\New\\Sub\\uninstaller.cfg",
              "[Files]\r\nC:\\New\\Sub\\*.*=\r\nC:\\Data\\art\\big\\x.bmp=\r\n"
              "[Created Folders]\r\n"
              "C:\\New\\=\r\nC:\\Data\\art\\=\r\nC:\\Data\\art\\big\\=\r\nC:\\Data\\used\\=\r\n"
              // Entries that climb out of the folder they name, or name a shared one.
              "C:\\Data\\art\\..\\kept\\=\r\nC:\\WINDOWS\\Desktop\\=\r\n"
              "[Name]\r\nTitle=Acme\r\n");
    files().forceDirectories("C:\\WINDOWS\\Desktop");
    for (const auto& found : files().find("C:\\WINDOWS\\Desktop\\*.*", faAnyFile)) {
        files().deleteFile("C:\\WINDOWS\\Desktop\\" + found.name);
    }
    Run();
    for (const char* gone : {"C:\\New", "C:\\Data\\art"}) EXPECT_FALSE(Exists(gone)) << gone;
    for (const char* kept : {"C:\\Data\\mine.txt", "C:\\Data\\used\\later.txt", "C:\\Data\\kept",
                             "C:\\WINDOWS\\Desktop"}) {
        EXPECT_TRUE(Exists(kept)) << kept;
    }
    EXPECT_EQ(closed, 1);
}

TEST_F(UninstallRunTest, FolderThatStillHoldsFilesStays) {
    WriteFile("C:\\WINDOWS\\Start Menu\\Programs\\Acme Tools\\Acme.lnk", "link");
    WriteFile("C:\\WINDOWS\\Start Menu\\Programs\\Acme Tools\\notes.txt", "the user's");
    WriteLog("[Files]\r\nC:\\WINDOWS\\Start Menu\\Programs\\Acme Tools\\Acme.lnk=\r\n"
             "[Folder]\r\nC:\\WINDOWS\\Start Menu\\Programs\\Acme Tools=\r\nC:\\Missing=\r\n");
    Run();
    EXPECT_FALSE(Exists("C:\\WINDOWS\\Start Menu\\Programs\\Acme Tools\\Acme.lnk"));
    EXPECT_TRUE(Exists("C:\\WINDOWS\\Start Menu\\Programs\\Acme Tools\\notes.txt"));
    EXPECT_TRUE(questions.empty());
}

TEST_F(UninstallRunTest, RunningSetupStaysForTheBatchFile) {
    machine->holdFile(kInstallFolder + "setup.exe");
    WriteLog("[Files]\r\nC:\\Program Files\\Acme\\*.*=\r\n");
    Run();
    EXPECT_TRUE(Exists(kInstallFolder + "setup.exe"));
    EXPECT_FALSE(Exists(kInstallFolder + "acme.exe"));
    EXPECT_FALSE(Exists(kInstallFolder + "uninstaller.cfg"));
    EXPECT_TRUE(questions.empty());  // the tree deletion shows nothing
    // The entry waits for the batch file too, which deletes it once the program
    // is gone; a stop before that leaves it to finish the job.
    EXPECT_TRUE(KeyExists(RegistryRoot::LocalMachine, kListKey + "Acme"));
    EXPECT_FALSE(machine->registry().readString(RegistryRoot::LocalMachine, kList, "Acme"));
    EXPECT_EQ(closed, 1);
}

TEST_F(UninstallRunTest, LogWithoutFilesStillRemovesEntryAndFolder) {
    files().forceDirectories("C:\\Leftover");
    machine->registry().createKey(RegistryRoot::LocalMachine, "SOFTWARE\\ACME");
    for (const char* log : {"[Folder]\r\nC:\\Leftover=\r\n[Registry]\r\nHKEY_LOCAL_MACHINE\\\\SOFTWARE\\ACME=\r\n"
                            "[Name]\r\nTitle=Acme\r\n",
                            static_cast<const char*>(nullptr)}) {
        SCOPED_TRACE(log ? "log without [Files]" : "no log");
        questions.clear();
        closed = 0;
        machine->registry().createKey(RegistryRoot::LocalMachine, kListKey + "Acme");
        if (log) WriteLog(log);
        Run();
        EXPECT_EQ(QuestionTexts(), std::vector<std::string>{"Unable to Find uninstall.cfg!!"});
        EXPECT_EQ(questions[0].caption, "Acme");
        EXPECT_EQ(progressCount, 0);
        EXPECT_FALSE(progress->Active());
        EXPECT_TRUE(Exists("C:\\Leftover"));
        EXPECT_TRUE(KeyExists(RegistryRoot::LocalMachine, "SOFTWARE\\ACME"));
        EXPECT_FALSE(KeyExists(RegistryRoot::LocalMachine, kListKey + "Acme"));
        EXPECT_FALSE(Exists(kInstallFolder));
        EXPECT_EQ(secondLine, "All Files,Folders and Icons Removed");
        EXPECT_EQ(closed, 1);
    }
}

TEST_F(UninstallRunTest, EmptyNameLeavesTheListOfInstalledProgramsAlone) {
    uninstallName.clear();
    WriteLog("[Files]\r\nC:\\Program Files\\Acme\\*.*=\r\n");
    Run();
    EXPECT_TRUE(KeyExists(RegistryRoot::LocalMachine, kListKey + "Other"));
    EXPECT_TRUE(KeyExists(RegistryRoot::LocalMachine, kListKey + "Acme"));
    EXPECT_EQ(machine->registry().readString(RegistryRoot::LocalMachine, kList, "Other"), "y");
    EXPECT_FALSE(Exists(kInstallFolder));
    EXPECT_EQ(closed, 1);
}

TEST_F(UninstallRunTest, ProtectedFoldersLoseOnlyTheFilesNamedOneByOne) {
    // An installation made straight into Program Files, with patterns that reach
    // folders holding other software's and the user's files.
    uninstallFolder = "C:\\Program Files\\";
    state.ExpandDir = uninstallFolder;
    WriteFile("C:\\Program Files\\shared.txt", "another program's");
    WriteFile("C:\\Program Files\\uninstaller.cfg",
              "[Files]\r\n"
              "C:\\Program Files\\*.*=\r\n"
              "C:\\*.*=\r\n"
              "C:\\WINDOWS\\*.*=\r\n"
              "C:\\WINDOWS\\System\\*.dll=\r\n"
              "C:\\WINDOWS\\Fonts\\*.*=\r\n"
              "C:\\WINDOWS\\Desktop\\*.*=\r\n"
              "C:\\WINDOWS\\Start Menu\\Programs\\\\*.*=\r\n"
              "C:\\WINDOWS\\named.dll=\r\n"
              "C:\\Program Files\\acme.exe=\r\n"
              "[Folder]\r\nC:\\Program Files\\=\r\nC:\\WINDOWS\\Desktop=\r\n");
    WriteFile("C:\\Program Files\\acme.exe", "ours");
    WriteFile("C:\\IO.SYS", "boot");
    WriteFile("C:\\WINDOWS\\WIN.INI", "[windows]\r\n");
    WriteFile("C:\\WINDOWS\\named.dll", "ours");
    WriteFile("C:\\WINDOWS\\System\\user32.dll", "system");
    WriteFile("C:\\WINDOWS\\Fonts\\arial.ttf", "font");
    WriteFile("C:\\WINDOWS\\Start Menu\\Programs\\Other.lnk", "another program's");
    files().forceDirectories("C:\\WINDOWS\\Desktop");
    for (const auto& found : files().find("C:\\WINDOWS\\Desktop\\*.*", faAnyFile)) {
        files().deleteFile("C:\\WINDOWS\\Desktop\\" + found.name);
    }
    answers = {MessageResult::All};
    Run();

    EXPECT_FALSE(Exists("C:\\WINDOWS\\named.dll"));
    EXPECT_FALSE(Exists("C:\\Program Files\\acme.exe"));
    EXPECT_FALSE(Exists("C:\\Program Files\\uninstaller.cfg"));  // no log left behind to start uninstall mode
    for (const char* kept : {"C:\\Program Files\\shared.txt", "C:\\IO.SYS", "C:\\WINDOWS\\WIN.INI",
                             "C:\\WINDOWS\\System\\user32.dll", "C:\\WINDOWS\\Fonts\\arial.ttf",
                             "C:\\WINDOWS\\Start Menu\\Programs\\Other.lnk", "C:\\WINDOWS\\Desktop",
                             "C:\\Program Files"}) {
        EXPECT_TRUE(Exists(kept)) << kept;
    }
}

TEST_F(UninstallRunTest, RefusedEntriesAreNotedAndTheRestGoesOn) {
    Registry& registry = machine->registry();
    registry.createKey(RegistryRoot::LocalMachine, kListKey + "Host App");
    registry.writeString(RegistryRoot::LocalMachine, kListKey + "Host App", "InstallLocation", "C:\\Host\\");
    WriteFile("C:\\Host\\host.exe", "another program's");
    WriteFile("C:\\WINDOWS\\WIN.INI", "[windows]\r\n");
    files().forceDirectories("C:\\WINDOWS\\Kept");
    WriteLog("[Files]\r\n"
             "C:\\Program Files\\Acme\\..\\..\\WINDOWS\\WIN.INI=\r\n"
             "C:\\Host\\*.*=\r\n"
             "C:\\Program Files\\Acme\\*.*=\r\n"
             "[Folder]\r\nC:\\WINDOWS\\Kept.=\r\n");
    Run();
    EXPECT_EQ(ReadFile("C:\\WINDOWS\\WIN.INI"), "[windows]\r\n");
    EXPECT_TRUE(Exists("C:\\Host\\host.exe"));
    EXPECT_TRUE(Exists("C:\\WINDOWS\\Kept"));
    EXPECT_FALSE(Exists(kInstallFolder));
    EXPECT_TRUE(questions.empty());  // a refused entry is not asked about either
    EXPECT_EQ(notes, (std::vector<std::string>{
                         "Refused log entry C:\\Program Files\\Acme\\..\\..\\WINDOWS\\WIN.INI: climbs out with \"..\"",
                         "Refused log entry C:\\Host\\*.*: empties by pattern the folder of another program (Host App)",
                         "Refused log entry C:\\WINDOWS\\Kept.: ends a name with a dot or a blank"}));
    EXPECT_EQ(progress->MaxProgress, 4);  // refused entries still count as steps
    EXPECT_EQ(closed, 1);
}

TEST_F(UninstallRunTest, InstallationIntoADriveRootKeepsTheDrive) {
    uninstallFolder = "D:\\";
    state.ExpandDir = "D:\\";
    const auto driveD = folder_ / "drive-d";
    std::filesystem::create_directories(driveD);
    machine->mapDrive('D', driveD);
    WriteFile("D:\\acme.exe", "ours");
    WriteFile("D:\\Photos\\holiday.jpg", "the user's");
    WriteFile("D:\\uninstaller.cfg", "[Files]\r\nD:\\*.*=\r\nD:\\acme.exe=\r\n[Name]\r\nTitle=Acme\r\n");
    Run();
    EXPECT_FALSE(Exists("D:\\acme.exe"));
    EXPECT_TRUE(Exists("D:\\Photos\\holiday.jpg"));
    EXPECT_FALSE(Exists("D:\\uninstaller.cfg"));
    EXPECT_TRUE(Exists("D:\\"));
}

TEST_F(UninstallRunTest, ReadsEveryKeyOfALongLog) {
    // Far more names than a 16384-byte list of key names holds.
    std::string log = "[Files]\r\n";
    std::vector<std::string> paths;
    const std::string longName(150, 'n');
    for (int i = 0; i < 120; ++i) {
        paths.push_back("C:\\Data\\Acme\\" + longName + std::to_string(i) + ".txt");
        log += paths.back() + "=\r\n";
    }
    log += "[Folder]\r\nC:\\Data\\Acme=\r\n";
    ASSERT_GT(log.size(), 16384u);
    for (const auto& path : paths) WriteFile(path, "x");
    WriteLog(log);
    Run();
    EXPECT_EQ(progress->MaxProgress, 121);
    EXPECT_FALSE(Exists(paths.back()));
    EXPECT_FALSE(Exists("C:\\Data\\Acme"));
}

}  // namespace
}  // namespace tavlin
