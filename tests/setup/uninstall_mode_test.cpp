// Uninstall mode: started through the registered uninstall entry, the setup
// finds the installation, shows its uninstaller page, removes the installation
// and leaves a batch file that removes setup.exe and the folder once the program
// has ended; what it does when the uninstall information is missing.
#include <fstream>
#include <iterator>
#include <map>

#include "setup/setup_fixture.h"
#include "setup/silent_wizard.h"
#include "setup/start_up.h"
#include "support/folders.h"
#include "support/string_list.h"

namespace tavlin::test {
namespace {

class UninstallMode : public SetupFixture {
protected:
    void InstallAcme() {
        installCfg = Config("Text Line 4=Made by Acme\r\nLogo File=C:\\Art\\logo.gif\r\n",
                            "[Desktop]\r\nAcme,<InstallDir>\\acme.exe,X,X,,C:\\Work\\acme.exe,Acme Tools\r\n");
        product = {{"Installation Directory,", "C:\\Work\\acme.exe", "program"},
                   {"Installation Directory\tData\t", "C:\\Work\\Data\\table.dat", "rows"},
                   {"", "C:\\Art\\logo.gif", std::string("GIF89a\x20\x00\x10\x00", 10)}};
        StartWizard();
        driver->Type("Main_Dir", "C:\\Program Files\\My App");
        driver->Click("Next1");
        driver->Click("Next1");
        driver->Click("Next1");
        ASSERT_EQ(Page(), 6);
        driver->Click("Next1");
        EndScreen();
        NewRun();
    }
    // Every file and folder of drive C with its content, and the registry.
    std::map<std::string, std::string> Snapshot() {
        std::map<std::string, std::string> all;
        std::vector<std::string> folders = {"C:"};
        while (!folders.empty()) {
            const std::string folder = folders.back();
            folders.pop_back();
            for (const FindData& entry : files().findAll(folder + "\\*")) {
                if (entry.name == "." || entry.name == "..") continue;
                const std::string path = folder + "\\" + entry.name;
                if (entry.attributes & faDirectory) {
                    all[path + "\\"] = "";
                    folders.push_back(path);
                } else {
                    all[path] = ReadFile(path).value_or("?");
                }
            }
        }
        std::ifstream registry(machineFolder / "registry.reg");
        all["registry"].assign(std::istreambuf_iterator<char>(registry), {});
        return all;
    }
    std::vector<int> nested;  // exit codes of setups started through the shell
};

TEST_F(UninstallMode, ThroughTheRegisteredEntryTheMachineReturnsToWhereItWas) {
    // What every Windows PC has: start-up files and the list of installed programs.
    WriteFile("C:\\AUTOEXEC.BAT", "@ECHO OFF\r\nPATH C:\\WINDOWS\r\n");
    WriteFile("C:\\CONFIG.SYS", "FILES=40\r\n");
    machine->registry().createKey(RegistryRoot::LocalMachine, "Software\\Microsoft\\Windows\\currentversion\\uninstall");
    const auto before = Snapshot();
    InstallAcme();
    ASSERT_TRUE(Exists("C:\\Program Files\\My App\\uninstaller.cfg"));
    ASSERT_TRUE(Exists("C:\\WINDOWS\\Desktop\\Acme.lnk"));

    // Windows starts the registered command from its own folder.
    files().setCurrentDirectory("C:\\WINDOWS");
    CreateScreen({"Acme", "Widgets"});
    EXPECT_TRUE(state.UninstallMode);
    EXPECT_EQ(state.StartDir, "C:\\Program Files\\My App");
    EXPECT_EQ(Page(), 7);
    EXPECT_EQ(Buttons(), (std::vector<std::string>{"Cancel1", "Next1"}));
    EXPECT_EQ(screen->Next1.Caption, "&UnInstall");
    EXPECT_EQ(screen->Header1.Caption, "Uninstall Application");
    EXPECT_EQ(screen->TextInfo1.Caption, "Acme Widgets");
    EXPECT_EQ(screen->TextInfo4.Caption, "Made by Acme");  // install.cfg of the installation
    EXPECT_EQ(screen->ShadowLabel1.Caption, "Acme Widgets");
    EXPECT_EQ(screen->UninstallFolder, "C:\\Program Files\\My App\\");
    EXPECT_EQ(screen->UninstallName, "Acme Widgets");
    EXPECT_EQ(screen->SetupScreen.ColorStart, clBlue);  // from install.cfg, after the red of the start
    EXPECT_EQ(application->Title, "Acme Widgets");
    // The logo is the copy beside the installed program.
    EXPECT_TRUE(screen->ImageHolder1.Visible);
    EXPECT_EQ(screen->LogoImage.Picture.FileName, "C:\\Program Files\\My App\\logo.gif");

    StringList batch;
    batch.LoadFromFile(files(), "C:\\WINDOWS\\Temp\\vivUro.bat");
    const std::string programFiles = ShortPathOf(platform(), "C:\\Program Files");
    const std::string myApp = ShortPathOf(platform(), "C:\\Program Files\\My App").substr(programFiles.size() + 1);
    // The entry goes with the program: only the batch file outlives it.
    const std::string entry = "HKLM\\Software\\Microsoft\\Windows\\currentversion\\uninstall\\Acme Widgets";
    EXPECT_EQ(batch.Lines(),
              BatchDeletingSetupExe({"Rem Goto Drive of Installed Files.", "C:", "cd\\",
                                     "cd " + programFiles.substr(3), "cd " + myApp},
                                    {"cd..", "rd " + myApp,
                                     "if not exist \"" + programFiles + "\\" + myApp + "\\setup.exe\" reg delete \"" +
                                         entry + "\" /f",
                                     "exit"}));

    driver->Click("Next1");
    EXPECT_TRUE(screen->Released());
    EXPECT_EQ(screen->TextInfo2.Caption, "All Files,Folders and Icons Removed");
    EXPECT_TRUE(Exists("C:\\Program Files\\My App\\setup.exe"));  // still running
    EndScreen();
    EXPECT_EQ(ExitCodeOf(screen->Outcome), 0);
    EXPECT_EQ(Journal("vivUro.bat").size(), 1u);
    EXPECT_NE(Journal("vivUro.bat")[0].find("file=\"C:\\WINDOWS\\temp\\vivUro.bat\""), std::string::npos);

    machine->runPendingBatchFiles();
    EXPECT_FALSE(Exists("C:\\Program Files\\My App"));
    auto after = Snapshot();
    after.erase("C:\\WINDOWS\\Temp\\vivUro.bat");  // the batch file stays behind, as on Windows
    EXPECT_EQ(after, before);
}

TEST_F(UninstallMode, WithoutUninstallInformationNothingIsRemoved) {
    struct Case {
        const char* what;
        std::string log;  // uninstaller.cfg beside the program
        std::vector<std::string> parameters;
    };
    const Case cases[] = {
        {"a log without a title, even with a name given", "[Files]\r\nC:\\Apps\\x.txt=\r\n", {"Acme"}},
        {"an empty title", "[Name]\r\nTitle=\r\n", {}},
    };
    for (const Case& c : cases) {
        TearDown();
        SetUp();
        WriteFile("C:\\Apps\\x.txt", "keep");
        WriteFile("C:\\Apps\\uninstaller.cfg", c.log);
        WriteFile("C:\\Apps\\setup.exe", "MZ");
        files().setCurrentDirectory("C:\\Apps");
        CreateScreen(c.parameters);
        ASSERT_TRUE(state.UninstallMode) << c.what;
        EXPECT_EQ(asked, (std::vector<std::string>{"No Uninstall Information Found!!"})) << c.what;
        EXPECT_TRUE(screen->Cancelled);
        EXPECT_EQ(screen->SetupScreen.ColorStart, clRed);
        EXPECT_FALSE(Exists("C:\\WINDOWS\\Temp\\vivUro.bat"));
        driver->Click("Cancel1");
        EndScreen();
        EXPECT_EQ(ExitCodeOf(screen->Outcome), 1);
        EXPECT_TRUE(Journal("execute").empty());
        EXPECT_EQ(ReadFile("C:\\Apps\\x.txt"), "keep");
    }
}

TEST_F(UninstallMode, CancelKeepsEverythingAndRunsNoBatch) {
    InstallAcme();
    files().setCurrentDirectory("C:\\Program Files\\My App");
    CreateScreen();
    ASSERT_EQ(Page(), 7);
    driver->Click("Cancel1");
    EndScreen();
    EXPECT_EQ(ExitCodeOf(screen->Outcome), 2);
    EXPECT_TRUE(Journal("vivUro").empty());
    EXPECT_TRUE(Exists("C:\\Program Files\\My App\\acme.exe"));
}

TEST_F(UninstallMode, APreviousInstallationIsRemovedBeforeTheNewOne) {
    InstallAcme();
    // The new version asks for the old one to be removed first; its uninstaller
    // runs to its end (as the hosted front end runs it) before the wizard goes on.
    machine->setLaunchHandler([this](const hosted::ShellRequest& request) {
        const std::string before = files().currentDirectory();
        files().setCurrentDirectory(request.folder);
        std::vector<std::string> parameters = {"/VERYSILENT"};
        std::string rest = request.parameters;
        while (!rest.empty() && rest.front() == ' ') rest.erase(0, 1);
        if (!rest.empty()) parameters.push_back(rest);
        SilentWizard silent(nullptr);
        nested.push_back(RunProgram(parameters, silent));
        files().setCurrentDirectory(before);
    });
    installCfg = Config("Uninstall Option=1\r\nUninstall String=Acme Widgets\r\nMain Directory=Acme 2\r\n");
    product = {{"Installation Directory,", "C:\\Work\\acme2.exe", "version 2"},
               {"Installation Directory,", "C:\\Work\\UNINSTALL.TXT", "The old Acme goes first."}};
    files().setCurrentDirectory("D:\\");
    StartWizard();
    EXPECT_EQ(nested, (std::vector<int>{0}));
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0], "The old Acme goes first.\r\n");
    EXPECT_EQ(asked[1], "Continue with Install. Click on \"OK\"");
    EXPECT_FALSE(Exists("C:\\Program Files\\My App\\acme.exe"));
    EXPECT_EQ(Page(), 2);
}

}  // namespace
}  // namespace tavlin::test
