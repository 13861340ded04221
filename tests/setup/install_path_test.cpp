// Whole installations through the wizard on a hosted machine: every page with
// the user's changes, the finishing actions and the closing action; the older
// library question; Cancel, Decline and a failed expansion, which change nothing
// and launch nothing.
#include "setup/setup_fixture.h"

#include <fstream>
#include <iterator>

#include "support/date_time.h"
#include "support/folders.h"

namespace tavlin::test {
namespace {

const char* const kAcmeRest =
    "[Desktop]\r\n"
    "Acme,<InstallDir>\\acme.exe,X,,,C:\\Work\\acme.exe,Acme Tools,C:\\Work\\acme.exe,Normal,\r\n"
    "[Launch Applications]\r\n"
    "C:\\Work\\readme.txt\r\n"
    "C:\\Work\\widget.ocx\r\n"
    "[Launch Applications Location]\r\n"
    "1<InstallDir>\\\r\n"
    "1<InstallDir>\\\r\n";

class InstallPath : public SetupFixture {
protected:
    void UseAcme(const std::string& screenLines = "") {
        installCfg = Config("Launch Application=<InstallDir>\\acme.exe\r\nReBoot Option=1\r\n" + screenLines,
                            kAcmeRest);
        product = {{"Installation Directory,", "C:\\Work\\acme.exe", "program"},
                   {"Installation Directory,", "C:\\Work\\readme.txt", "read me"},
                   {"Installation Directory,", "C:\\Work\\widget.ocx", "component"},
                   {"Installation Directory,", "C:\\Work\\License.txt", "Terms\r\n"},
                   {"Installation Directory\tData\t", "C:\\Work\\Data\\table.dat", "rows"}};
    }
    // Accept, type the folder, keep the shortcuts, install.
    void InstallInto(const std::string& folder) {
        driver->Click("Accept");
        driver->Type("Main_Dir", folder);
        driver->Click("Next1");
        driver->Click("Next1");
        driver->Click("Next1");
    }
};

TEST_F(InstallPath, EveryPageThenFinishAndLaunch) {
    UseAcme();
    StartWizard();
    const std::string expandDir = state.ExpandDir;
    EXPECT_EQ(expandDir, "C:\\WINDOWS\\Temp\\tvlp_093015\\");
    EXPECT_EQ(application->Title, "Acme Widgets");

    driver->Click("Accept");
    EXPECT_EQ(screen->Main_Dir.Text, "C:\\Program Files\\TVL\\");
    driver->Type("Main_Dir", "C:\\Apps\\Acme");
    driver->Click("Next1");
    driver->Tick("CheckBox2", true);       // a folder on the desktop too
    driver->MarkRow("ListView1", 2, true);  // and a Quick Launch shortcut
    driver->Click("Next1");
    EXPECT_EQ(screen->ReadyMemo->Lines.front(), "Install To: C:\\Apps\\Acme");
    driver->Click("Next1");  // &Install

    ASSERT_EQ(Page(), 6) << (asked.empty() ? "" : asked.back());
    EXPECT_EQ(Buttons(), (std::vector<std::string>{"Next1"}));
    EXPECT_EQ(screen->Next1.Caption, "&Finish");
    EXPECT_EQ(screen->Header1.Caption, "Acme Widgets");
    EXPECT_EQ(screen->LaunchIt.Caption, "C:\\Apps\\Acme\\acme.exe");
    EXPECT_TRUE(screen->LaunchItOption.Checked());
    EXPECT_TRUE(screen->reboot.Visible);
    EXPECT_FALSE(screen->InstallStatus.Visible);
    EXPECT_EQ(ReadFile("C:\\Apps\\Acme\\acme.exe"), "program");
    EXPECT_EQ(ReadFile("C:\\Apps\\Acme\\Data\\table.dat"), "rows");
    EXPECT_EQ(ReadFile("C:\\Apps\\Acme\\setup.exe"), "MZ setup");
    EXPECT_TRUE(Exists("C:\\Apps\\Acme\\uninstaller.cfg"));
    EXPECT_EQ(machine->registry().readString(RegistryRoot::LocalMachine,
                                             "Software\\Microsoft\\Windows\\currentversion\\uninstall\\Acme Widgets",
                                             "UninstallString"),
              "C:\\Apps\\Acme\\setup.exe Acme Widgets");
    EXPECT_TRUE(Exists("C:\\WINDOWS\\Start Menu\\Programs\\Acme Tools\\Acme.lnk"));
    EXPECT_TRUE(Journal("execute").empty());  // nothing launched before Finish

    driver->Click("Next1");  // &Finish
    EXPECT_TRUE(screen->Released());
    EXPECT_TRUE(application->Minimized);
    EXPECT_FALSE(Exists(expandDir));
    const auto launched = Journal("execute");
    ASSERT_EQ(launched.size(), 2u);
    const std::string shortFolder = ShortPathOf(platform(), "C:\\APPS\\ACME\\");
    EXPECT_NE(launched[0].find("verb=\"open\" file=\"" + shortFolder + "readme.txt\" parameters=\"\""),
              std::string::npos)
        << launched[0];
    EXPECT_NE(launched[1].find("file=\"C:\\WINDOWS\\System32\\regsvr32.exe\" parameters=\"/s " + shortFolder +
                               "widget.ocx\""),
              std::string::npos)
        << launched[1];

    EndScreen();
    const auto afterClose = Journal("execute");
    ASSERT_EQ(afterClose.size(), 3u);
    EXPECT_NE(afterClose[2].find("file=\"C:\\Apps\\Acme\\acme.exe\""), std::string::npos) << afterClose[2];
    EXPECT_EQ(ExitCodeOf(screen->Outcome), 0);
    EXPECT_TRUE(asked.empty());
}

TEST_F(InstallPath, RestartChosenOnTheFinishedPage) {
    struct Case {
        const char* family;
        std::vector<std::string> switches;
        std::vector<std::string> journal;
    };
    const Case cases[] = {
        {"NT", {}, {"enable privilege SeShutdownPrivilege: ok", "exit windows flags=0x00000002 (reboot)"}},
        {"95", {}, {"exit windows flags=0x00000002 (reboot)"}},
        {"NT", {"/NORESTART"}, {}},
    };
    for (const Case& c : cases) {
        TearDown();
        SetUp();
        std::filesystem::path ini = machineFolder / "machine.ini";
        machine.reset();
        {
            std::string text;
            {
                std::ifstream in(ini);
                text.assign(std::istreambuf_iterator<char>(in), {});
            }
            text.replace(text.find("Family=NT"), 9, std::string("Family=") + c.family);
            std::ofstream(ini) << text;
        }
        machine = hosted::HostedMachine::open(machineFolder);
        machine->mapDrive('D', machineFolder / "media");
        machine->setAnswerer([](const hosted::DialogRequest& r) {
            hosted::DialogAnswer a;
            a.result = r.safeDefault;
            return a;
        });
        files().setCurrentDirectory("D:\\");
        UseAcme();
        StartWizard(c.switches);
        InstallInto("C:\\Apps\\Acme");
        ASSERT_EQ(Page(), 6);
        driver->Choose("reboot");
        driver->Click("Next1");
        EndScreen();
        std::vector<std::string> seen;
        for (const auto& line : machine->journal()) {
            if (line.find("privilege") != std::string::npos || line.find("exit windows") != std::string::npos) {
                seen.push_back(line);
            }
        }
        EXPECT_EQ(seen, c.journal) << c.family;
        EXPECT_TRUE(Journal("acme.exe\"").empty()) << "the program is not launched when a restart was chosen";
    }
}

class OlderLibrary : public InstallPath, public ::testing::WithParamInterface<MessageResult> {};

TEST_P(OlderLibrary, TheUserDecidesWhetherTheNewerExistingLibraryStays) {
    installCfg = Config("");
    product = {{"System,", "C:\\Work\\shared.dll", "old library"},
               {"Installation Directory,", "C:\\Work\\License.txt", "Terms"}};
    files().forceDirectories("C:\\WINDOWS\\System");
    // The library on the machine is from 2030; the expanded one is older.
    {
        auto stream = files().create("C:\\WINDOWS\\System\\shared.dll");
        const std::string text = "newer library";
        stream->writeBuffer(text.data(), text.size());
        stream->setLastWriteTime(LocalTimeToDosDateTime(LocalTime{2030, 1, 2, 3, 4, 6}));
    }
    answers = {GetParam()};
    StartWizard();
    InstallInto("C:\\Apps\\Acme");
    ASSERT_EQ(Page(), 6);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_NE(asked[0].find("File being copied is older than the file on PC"), std::string::npos);
    EXPECT_EQ(ReadFile("C:\\WINDOWS\\System\\shared.dll"),
              GetParam() == MessageResult::Yes ? "newer library" : "old library");
}

INSTANTIATE_TEST_SUITE_P(Answers, OlderLibrary, ::testing::Values(MessageResult::Yes, MessageResult::No));

TEST_F(InstallPath, EndingBeforeTheFinishedPageChangesAndLaunchesNothing) {
    struct Case {
        const char* how;
        bool failExpansion;
        std::vector<std::string> clicks;
        int exitCode;
    };
    const Case cases[] = {
        {"Cancel", false, {"Cancel1"}, 2},
        {"Decline", false, {"decline"}, 2},
        {"Cancel on the ready page", false, {"Accept", "Next1", "Next1", "Cancel1"}, 2},
        {"failed expansion", true, {}, 1},
    };
    for (const Case& c : cases) {
        TearDown();
        SetUp();
        UseAcme();
        expansionFails = c.failExpansion;
        StartWizard();
        for (const std::string& name : c.clicks) driver->Click(name);
        EXPECT_TRUE(screen->Released()) << c.how;
        EndScreen();
        EXPECT_EQ(ExitCodeOf(screen->Outcome), c.exitCode) << c.how;
        EXPECT_TRUE(Journal("execute").empty()) << c.how;
        EXPECT_FALSE(Exists(state.ExpandDir)) << c.how;
        EXPECT_FALSE(Exists("C:\\Program Files\\TVL")) << c.how;
        EXPECT_FALSE(machine->registry().openKey(
            RegistryRoot::LocalMachine, "Software\\Microsoft\\Windows\\currentversion\\uninstall\\Acme Widgets"))
            << c.how;
        if (c.failExpansion) {
            EXPECT_EQ(asked, (std::vector<std::string>{"Error Expanding Files!!"}));
        }
    }
}

}  // namespace
}  // namespace tavlin::test
