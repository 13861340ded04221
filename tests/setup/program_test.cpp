// The whole program: silent runs for both modes, the switches /DIR, /LOG and
// /SUPPRESSMSGBOXES, and the exit code of every way a run can end.
#include <sstream>

#include "setup/setup_fixture.h"
#include "setup/silent_wizard.h"
#include "support/date_time.h"
#include "support/string_list.h"

namespace tavlin::test {
namespace {

class Program : public SetupFixture {
protected:
    void UseAcme() {
        installCfg = Config("Launch Application=<InstallDir>\\acme.exe\r\n",
                            "[Desktop]\r\nAcme,<InstallDir>\\acme.exe,X,,,C:\\Work\\acme.exe,Acme Tools\r\n");
        product = {{"Installation Directory,", "C:\\Work\\acme.exe", "program"},
                   {"Installation Directory,", "C:\\Work\\License.txt", "Terms"},
                   {"System,", "C:\\Work\\shared.dll", "old library"}};
    }
    static std::function<void(TDisplayScreen&)> Click(const char* name) {
        return [name](TDisplayScreen& s) {
            ControlDriver(s.Application, s).Click(name);
        };
    }
};

TEST_F(Program, SilentInstallTakesEveryDefaultAndAnswersBoxesSafely) {
    UseAcme();
    // A newer library on the machine: the silent run keeps it.
    files().forceDirectories("C:\\WINDOWS\\System");
    {
        auto stream = files().create("C:\\WINDOWS\\System\\shared.dll");
        stream->writeBuffer("newer", 5);
        stream->setLastWriteTime(LocalTimeToDosDateTime(LocalTime{2030, 1, 2, 3, 4, 6}));
    }
    std::ostringstream progress;
    SilentWizard silent(&progress);
    EXPECT_EQ(RunProgram({"/SILENT"}, silent), 0);
    EXPECT_EQ(ReadFile("C:\\Program Files\\TVL\\acme.exe"), "program");
    EXPECT_EQ(ReadFile("C:\\WINDOWS\\System\\shared.dll"), "newer");
    EXPECT_TRUE(Exists("C:\\WINDOWS\\Start Menu\\Programs\\Acme Tools\\Acme.lnk"));
    EXPECT_TRUE(asked.empty()) << asked.front();  // no box was shown
    EXPECT_EQ(Journal("execute").size(), 1u);     // the preset program, once finished
    EXPECT_TRUE(files().findAll("C:\\WINDOWS\\Temp\\tvlp_*").empty());
    const std::string text = progress.str();
    EXPECT_NE(text.find("Installing Files"), std::string::npos) << text;
    EXPECT_NE(text.find("Installing .. acme.exe"), std::string::npos) << text;
    EXPECT_NE(text.find("(message) File being copied is older"), std::string::npos) << text;
}

TEST_F(Program, VerySilentShowsNothingAndDirChoosesTheFolder) {
    UseAcme();
    SilentWizard silent(nullptr);
    EXPECT_EQ(RunProgram({"/verysilent", "/DIR=\"C:\\My Tools\\Acme\""}, silent), 0);
    EXPECT_EQ(ReadFile("C:\\My Tools\\Acme\\acme.exe"), "program");
    EXPECT_FALSE(Exists("C:\\Program Files\\TVL"));
}

TEST_F(Program, LogRecordsEveryChangeOfBothRuns) {
    UseAcme();
    SilentWizard silent(nullptr);
    ASSERT_EQ(RunProgram({"/SILENT", "/LOG=C:\\install.log"}, silent), 0);
    StringList log;
    log.LoadFromFile(files(), "C:\\install.log");
    ASSERT_FALSE(log.Empty());
    const std::string text = log.Text();
    EXPECT_NE(text.find("C:\\Program Files\\TVL\\acme.exe"), std::string::npos) << text;
    EXPECT_NE(text.find("Acme Widgets"), std::string::npos) << text;  // the uninstall entry

    files().setCurrentDirectory("C:\\WINDOWS");
    ASSERT_EQ(RunProgram({"/VERYSILENT", "/LOG=C:\\uninstall.log", "Acme", "Widgets"}, silent), 0);
    log.LoadFromFile(files(), "C:\\uninstall.log");
    EXPECT_NE(log.Text().find("acme.exe"), std::string::npos) << log.Text();
    EXPECT_FALSE(Exists("C:\\Program Files\\TVL\\acme.exe"));
}

TEST_F(Program, AStartThatFailsLeavesTheShellsReasonInTheLog) {
    installCfg = Config("Launch Application=<InstallDir>\\missing.bat\r\n", "");
    product = {{"Installation Directory,", "C:\\Work\\acme.exe", "program"}};
    SilentWizard silent(nullptr);
    ASSERT_EQ(RunProgram({"/VERYSILENT", "/LOG=C:\\install.log"}, silent), 0);
    StringList log;
    log.LoadFromFile(files(), "C:\\install.log");
    EXPECT_NE(log.Text().find("Could not start C:\\Program Files\\TVL\\missing.bat: "
                              "ShellExecuteA: The system cannot find the file specified.\r\n"),
              std::string::npos)
        << log.Text();
}

TEST_F(Program, ALogThatCannotBeCreatedStopsTheSetupFirst) {
    UseAcme();
    SilentWizard silent(nullptr);
    EXPECT_EQ(RunProgram({"/SILENT", "/LOG=Q:\\nowhere\\setup.log"}, silent), 1);
    EXPECT_FALSE(Exists("C:\\Program Files\\TVL"));
    EXPECT_TRUE(files().findAll("C:\\WINDOWS\\Temp\\tvlp_*").empty());
    // The suppressed box still reaches the front end.
    std::ostringstream shown;
    SilentWizard reporting(&shown);
    EXPECT_EQ(RunProgram({"/SILENT", "/LOG=Q:\\nowhere\\setup.log"}, reporting), 1);
    EXPECT_NE(shown.str().find("Q:\\nowhere\\setup.log"), std::string::npos) << shown.str();
}

TEST_F(Program, ExitCodeOfEachEnding) {
    struct Case {
        const char* how;
        std::vector<std::string> parameters;
        std::vector<std::function<void(TDisplayScreen&)>> actions;
        bool failExpansion;
        int code;
    };
    const Case cases[] = {
        {"installed", {}, {Click("Accept"), Click("Next1"), Click("Next1"), Click("Next1"), Click("Next1")}, false, 0},
        {"declined", {}, {Click("decline")}, false, 2},
        {"cancelled", {}, {Click("Accept"), Click("Cancel1")}, false, 2},
        {"the user went away", {}, {Click("Accept")}, false, 2},
        {"the expansion failed", {}, {}, true, 1},
        {"the expansion failed silently", {"/SILENT"}, {}, true, 1},
    };
    for (const Case& c : cases) {
        TearDown();
        SetUp();
        UseAcme();
        expansionFails = c.failExpansion;
        ScriptedFrontEnd frontEnd;
        frontEnd.actions.assign(c.actions.begin(), c.actions.end());
        if (c.parameters.empty()) {
            EXPECT_EQ(RunProgram(c.parameters, frontEnd), c.code) << c.how;
        } else {
            SilentWizard silent(nullptr);
            EXPECT_EQ(RunProgram(c.parameters, silent), c.code) << c.how;
        }
        EXPECT_EQ(Exists("C:\\Program Files\\TVL\\acme.exe"), c.code == 0) << c.how;
    }
}

TEST_F(Program, AnErrorThatEndsTheInstallationRunGivesFour) {
    UseAcme();
    // The log cannot be written: the file is in use by another program.
    WriteFile("C:\\Program Files\\TVL\\uninstaller.cfg", "");
    machine->holdFile("C:\\Program Files\\TVL\\uninstaller.cfg");
    SilentWizard silent(nullptr);
    EXPECT_EQ(RunProgram({"/SILENT"}, silent), 4);
    EXPECT_TRUE(Journal("execute").empty());  // nothing is launched after a failed run
}

TEST_F(Program, UninstallWithoutInformationCannotStart) {
    WriteFile("C:\\Apps\\uninstaller.cfg", "[Files]\r\n");
    WriteFile("C:\\Apps\\setup.exe", "MZ");
    files().setCurrentDirectory("C:\\Apps");
    SilentWizard silent(nullptr);
    EXPECT_EQ(RunProgram({"/SILENT"}, silent), 1);
    EXPECT_TRUE(Journal("vivUro").empty());
}

}  // namespace
}  // namespace tavlin::test
