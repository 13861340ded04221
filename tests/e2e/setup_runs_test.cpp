// Whole setups with the real programs: tavlin builds the media of a small product,
// tavlin-setup installs it on a fresh hosted machine through the typed wizard or
// silently, and removes it through the registered uninstall entry; damaged and
// missing segments, an older library, an earlier version, launched programs and
// a restart.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>

#include "e2e/e2e_support.h"
#include "platform/hosted/hosted_machine.h"

namespace tavlin::e2e {
namespace {

namespace fs = std::filesystem;

// Bytes that no codec makes smaller, so that the media need several segments.
std::string Incompressible(std::size_t size) {
    std::mt19937 random(20240517);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
    return bytes;
}

const char* const kWidgetConfig =
    "[Setup Screen]\r\n"
    "Text Line 1=Widget Works\r\n"
    "Main Directory=Widget\r\n"
    "Desktop Folder=Widget Works\r\n"
    "ReBoot Option=1\r\n"
    "Launch Application=<InstallDir>\\widget.exe\r\n"
    "[INI\\Registry]\r\n"
    "Count=1\r\n"
    "INIREG 0=HKEY_LOCAL_MACHINE\\,Software\\Widget,Path,<InstallDir>\\\r\n"
    "[Desktop]\r\n"
    "Widget,<InstallDir>\\widget.exe,X,,,C:\\Widget\\widget.exe,Widget Works,,Normal,\r\n"
    "[Launch Applications]\r\n"
    "C:\\Widget\\notes.txt\r\n"
    "C:\\Widget\\lib\\gadget.ocx\r\n"
    "[Launch Applications Location]\r\n"
    "1<InstallDir>\\\r\n"
    "1<InstallDir>\\lib\\\r\n";

class SetupRuns : public ::testing::Test {
protected:
    void SetUp() override {
        root = FreshFolder("e2e");
        product = root / "Widget";
        media = root / "media";
        machineFolder = root / "machine";
        files = {{"widget.exe", "MZ widget"},
                 {"notes.txt", "Widget notes"},
                 {"LICENSE.TXT", "You may use Widget."},
                 {"lib/gadget.ocx", "MZ gadget"}};
        config = kWidgetConfig;
        ASSERT_EQ(RunProgram(ProgramPath("tavlin-setup"), {"--machine", machineFolder.string(), "--create-only"}).exitCode,
                  0);
        // Every PC has the list of installed programs and its start-up files.
        WriteHostFile(machineFolder / "drives" / "c" / "AUTOEXEC.BAT", "@ECHO OFF\r\n");
        WriteHostFile(machineFolder / "drives" / "c" / "CONFIG.SYS", "FILES=40\r\n");
    }
    void TearDown() override {
        if (!HasFailure()) fs::remove_all(root);
    }

    // Builds the media; segmentSize 0 keeps the default.
    void BuildMedia(std::uint32_t segmentSize = 0, const std::string& filesList = "") {
        fs::remove_all(product);
        for (const auto& [name, content] : files) WriteHostFile(product / name, content);
        WriteHostFile(root / "install.cfg", config);
        WriteHostFile(root / "setup.exe", "MZ setup");
        std::vector<std::string> arguments = {"media", "--product", product.string(), "--config",
                                              (root / "install.cfg").string(), "--setup",
                                              (root / "setup.exe").string(), "--out", media.string()};
        if (segmentSize) arguments.insert(arguments.end(), {"--segment-size", std::to_string(segmentSize)});
        if (!filesList.empty()) {
            WriteHostFile(root / "files.lst", filesList);
            arguments.insert(arguments.end(), {"--files", (root / "files.lst").string()});
        }
        const ProgramRun run = RunProgram(ProgramPath("tavlin"), arguments);
        ASSERT_EQ(run.exitCode, 0) << run.output;
    }
    std::vector<std::string> SetupArguments(const std::vector<std::string>& setupParameters,
                                            const std::string& currentFolder = "D:\\") {
        std::vector<std::string> arguments = {"--machine", machineFolder.string(), "--drive", "D=" + media.string(),
                                              "--cd", currentFolder, "--"};
        arguments.insert(arguments.end(), setupParameters.begin(), setupParameters.end());
        return arguments;
    }
    ProgramRun Setup(const std::vector<std::string>& setupParameters, const std::string& typed = "",
                     const std::string& currentFolder = "D:\\") {
        return RunProgram(ProgramPath("tavlin-setup"), SetupArguments(setupParameters, currentFolder), typed);
    }
    // The machine, opened once the programs have ended.
    std::unique_ptr<hosted::HostedMachine> Machine() { return hosted::HostedMachine::open(machineFolder); }
    bool Exists(const std::string& windowsPath) { return Machine()->files().attributes(windowsPath).has_value(); }
    std::vector<std::string> Journal(const std::string& containing) {
        std::vector<std::string> lines;
        for (const std::string& line : Machine()->journal()) {
            if (line.find(containing) != std::string::npos) lines.push_back(line);
        }
        return lines;
    }
    // Every file of drive C with its content, and the registry's text.
    std::map<std::string, std::string> Snapshot() {
        std::map<std::string, std::string> all;
        const fs::path drive = machineFolder / "drives" / "c";
        for (const auto& entry : fs::recursive_directory_iterator(drive)) {
            const std::string path = fs::relative(entry.path(), drive).string();
            all[path] = entry.is_directory() ? "<folder>" : ReadHostFile(entry.path());
        }
        all["<registry>"] = ReadHostFile(machineFolder / "registry.reg");
        return all;
    }
    std::string UninstallString() {
        return Machine()
            ->registry()
            .readString(RegistryRoot::LocalMachine, "Software\\Microsoft\\Windows\\currentversion\\uninstall\\Widget Works",
                        "UninstallString")
            .value_or("");
    }

    fs::path root, product, media, machineFolder;
    std::map<std::string, std::string> files;
    std::string config;
};

TEST_F(SetupRuns, TypedWizardInstallsAndTheRegisteredEntryRemovesEverything) {
    BuildMedia();
    const auto before = Snapshot();
    // Accept; Back to the licence and Accept again; a folder of one's own; the
    // shortcut page: a desktop shortcut as well; Back and Next; install; finish.
    const ProgramRun install = Setup({}, "A\nB\nA\n1\nC:\\Tools\\Widget\nN\n4\nB\nN\n4\nN\nI\nF\n");
    ASSERT_EQ(install.exitCode, 0) << install.output;
    EXPECT_NE(install.output.find("==== Widget Works: License Agreement ===="), std::string::npos);
    EXPECT_NE(install.output.find("  You may use Widget."), std::string::npos);
    EXPECT_NE(install.output.find("Installation Completed"), std::string::npos);
    EXPECT_TRUE(Exists("C:\\Tools\\Widget\\widget.exe"));
    EXPECT_TRUE(Exists("C:\\Tools\\Widget\\lib\\gadget.ocx"));
    EXPECT_TRUE(Exists("C:\\Tools\\Widget\\setup.exe"));
    EXPECT_TRUE(Exists("C:\\WINDOWS\\Desktop\\Widget.lnk"));
    EXPECT_TRUE(Exists("C:\\WINDOWS\\Start Menu\\Widget.lnk"));
    EXPECT_TRUE(Machine()->files().findAll("C:\\WINDOWS\\Temp\\tvlp_*").empty());
    // Finish opened the notes, registered the component, and closing launched the program.
    const auto launched = Journal("execute");
    ASSERT_EQ(launched.size(), 3u) << install.output;
    EXPECT_NE(launched[0].find("notes.txt"), std::string::npos) << launched[0];
    EXPECT_NE(launched[1].find("regsvr32.exe\" parameters=\"/s "), std::string::npos) << launched[1];
    EXPECT_NE(launched[2].find("file=\"C:\\Tools\\Widget\\widget.exe\""), std::string::npos) << launched[2];
    EXPECT_EQ(UninstallString(), "C:\\Tools\\Widget\\setup.exe Widget Works");

    // Windows runs the entry's command from its own folder.
    const ProgramRun uninstall = Setup({"Widget", "Works"}, "U\n", "C:\\WINDOWS");
    ASSERT_EQ(uninstall.exitCode, 0) << uninstall.output;
    EXPECT_NE(uninstall.output.find("Perform Uninstall of Widget Works"), std::string::npos) << uninstall.output;
    EXPECT_FALSE(Exists("C:\\Tools\\Widget"));  // setup.exe and the folder went with the batch file
    auto after = Snapshot();
    after.erase("WINDOWS/Temp/vivUro.bat");
    // The installation created C:\Tools for its folder; it went with the rest.
    EXPECT_EQ(after, before);
}

TEST_F(SetupRuns, SilentRunsBothWays) {
    BuildMedia();
    const ProgramRun install = Setup({"/SILENT", "/DIR=C:\\Widget"});
    ASSERT_EQ(install.exitCode, 0) << install.output;
    EXPECT_NE(install.output.find("Installing .. widget.exe"), std::string::npos) << install.output;
    EXPECT_TRUE(Exists("C:\\Widget\\widget.exe"));
    const std::string quiet = Machine()
                                  ->registry()
                                  .readString(RegistryRoot::LocalMachine,
                                              "Software\\Microsoft\\Windows\\currentversion\\uninstall\\Widget Works",
                                              "QuietUninstallString")
                                  .value_or("");
    EXPECT_EQ(quiet, "C:\\Widget\\setup.exe /VERYSILENT Widget Works");
    const ProgramRun uninstall = Setup({"/VERYSILENT", "Widget", "Works"}, "", "C:\\WINDOWS");
    EXPECT_EQ(uninstall.exitCode, 0) << uninstall.output;
    EXPECT_EQ(uninstall.output, "");
    EXPECT_FALSE(Exists("C:\\Widget"));
}

TEST_F(SetupRuns, DeclineAndCancelChangeNothing) {
    BuildMedia();
    const auto before = Snapshot();
    for (const char* typed : {"D\n", "A\nN\nC\n", "A\n"}) {
        const ProgramRun run = Setup({}, typed);
        EXPECT_EQ(run.exitCode, 2) << typed << run.output;
        auto after = Snapshot();
        EXPECT_EQ(after, before) << typed;
        EXPECT_TRUE(Journal("execute").empty()) << typed;
    }
}

TEST_F(SetupRuns, ADamagedSegmentStopsTheSetupBeforeAnythingIsInstalled) {
    files["big.dat"] = std::string(60000, 'x');
    BuildMedia();
    const auto before = Snapshot();
    struct Damage {
        const char* what;
        std::function<void(std::string&)> apply;
    };
    const std::string intact = ReadHostFile(media / "disk.001");
    const Damage damages[] = {
        {"cut to five bytes", [](std::string& bytes) { bytes.resize(5); }},
        {"archive bytes changed",
         [](std::string& bytes) {
             for (std::size_t i = bytes.size() - 200; i < bytes.size() - 100; ++i) bytes[i] = static_cast<char>(~bytes[i]);
         }},
        {"cut in the middle", [](std::string& bytes) { bytes.resize(bytes.size() / 2); }},
    };
    for (const Damage& damage : damages) {
        std::string bytes = intact;
        damage.apply(bytes);
        WriteHostFile(media / "disk.001", bytes);
        for (const std::vector<std::string>& parameters : {std::vector<std::string>{"/SILENT"}, std::vector<std::string>{}}) {
            const ProgramRun run = Setup(parameters, "\n");
            EXPECT_EQ(run.exitCode, 1) << damage.what << run.output;
            EXPECT_NE(run.output.find("Error Expanding Files!!"), std::string::npos) << damage.what << run.output;
            EXPECT_EQ(run.output.find("Installing"), std::string::npos) << damage.what;
            EXPECT_EQ(Snapshot(), before) << damage.what;  // the expansion folder is gone too
        }
    }
}

TEST_F(SetupRuns, AMissingSegmentIsSuppliedAfterTheFloppyPrompts) {
    files["big.dat"] = Incompressible(40000);
    config.replace(config.find("[Setup Screen]\r\n"), 16, "[Setup Screen]\r\nDisplay Desktop Options=0\r\n");
    BuildMedia(16384);
    ASSERT_TRUE(fs::exists(media / "disk.002"));
    fs::rename(media / "disk.002", root / "disk.002");
    // Twice the disk is asked for, and the reader's own box follows; the disk is
    // put in before that box is answered with OK.
    const ProgramRun run = Converse(
        ProgramPath("tavlin-setup"), SetupArguments({}),
        {{"Please Insert Disk #2 into Floppy Drive.", nullptr, ""},
         {"Please Insert Disk #2 into Floppy Drive.", nullptr, ""},
         {"Correct and then press OK, or Cancel to abort", [&] { fs::rename(root / "disk.002", media / "disk.002"); },
          "O"},
         {"[A] Accept", nullptr, "A"},
         {"[N] Next >>", nullptr, "N"},
         {"[I] Install", nullptr, "I"},
         {"[F] Finish", nullptr, "F"}});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(Exists("C:\\Program Files\\Widget\\big.dat"));
}

TEST_F(SetupRuns, AMissingDiskCancelledInASilentRunFailsTheStart) {
    files["big.dat"] = Incompressible(40000);
    BuildMedia(16384);
    fs::remove(media / "disk.002");
    const ProgramRun run = Setup({"/SILENT"});
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_NE(run.output.find("Please Insert Disk #2 into Floppy Drive."), std::string::npos) << run.output;
    EXPECT_FALSE(Exists("C:\\Program Files\\Widget"));
}

TEST_F(SetupRuns, AnOlderLibraryIsKeptOrReplacedAsAnswered) {
    files["lib/shared.dll"] = "old library";
    BuildMedia(0, "System\tC:\\Widget\\lib\\shared.dll\r\n");
    for (const char* answer : {"Y", "N"}) {
        WriteHostFile(machineFolder / "drives" / "c" / "WINDOWS" / "System" / "shared.dll", "newer library");
        // The library on the machine carries a date after the expanded one's.
        fs::last_write_time(machineFolder / "drives" / "c" / "WINDOWS" / "System" / "shared.dll",
                            fs::file_time_type::clock::now() + std::chrono::hours(24 * 365));
        const ProgramRun run = Setup({}, std::string("A\nN\nN\nI\n") + answer + "\nF\n");
        ASSERT_EQ(run.exitCode, 0) << run.output;
        EXPECT_NE(run.output.find("File being copied is older than the file on PC"), std::string::npos) << run.output;
        EXPECT_EQ(ReadHostFile(machineFolder / "drives" / "c" / "WINDOWS" / "System" / "shared.dll"),
                  std::string(answer) == "Y" ? "newer library" : "old library")
            << answer;
        const ProgramRun uninstall = Setup({"/VERYSILENT", "Widget", "Works"}, "", "C:\\WINDOWS");
        ASSERT_EQ(uninstall.exitCode, 0) << uninstall.output;
    }
}

TEST_F(SetupRuns, AnEarlierVersionIsRemovedBeforeTheNewOne) {
    BuildMedia();
    ASSERT_EQ(Setup({"/VERYSILENT"}).exitCode, 0);
    ASSERT_TRUE(Exists("C:\\Program Files\\Widget\\widget.exe"));
    files = {{"widget2.exe", "MZ widget 2"}, {"UNINSTALL.TXT", "Widget 1 goes first."}};
    config = "[Setup Screen]\r\nText Line 1=Widget Works\r\nMain Directory=Widget 2\r\nUninstall Option=1\r\n"
             "Uninstall String=Widget Works\r\nDisplay Desktop Options=0\r\n";
    BuildMedia();
    // The earlier version's own uninstaller shows its page and takes U; then the
    // new setup asks to continue.
    const ProgramRun run = Setup({}, "\nU\n\nN\nI\nF\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const std::size_t notice = run.output.find("Widget 1 goes first.");
    const std::size_t uninstaller = run.output.find("Perform Uninstall of Widget Works");
    const std::size_t resume = run.output.find("Continue with Install. Click on \"OK\"");
    ASSERT_NE(notice, std::string::npos) << run.output;
    ASSERT_NE(uninstaller, std::string::npos) << run.output;
    ASSERT_NE(resume, std::string::npos) << run.output;
    EXPECT_LT(notice, uninstaller);
    EXPECT_LT(uninstaller, resume);
    EXPECT_FALSE(Exists("C:\\Program Files\\Widget"));  // its batch file ran after the setup
    EXPECT_TRUE(Exists("C:\\Program Files\\Widget 2\\widget2.exe"));
}

TEST_F(SetupRuns, RestartChosenOnTheFinishedPage) {
    BuildMedia();
    // Finished page choices: 1 restart, 2 return, 3 launch.
    const ProgramRun run = Setup({}, "A\nN\nN\nI\n1\nF\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(Journal("exit windows flags=0x00000002 (reboot)").size(), 1u) << run.output;
    EXPECT_TRUE(Journal("widget.exe\"").empty());  // no launch when restarting
    const ProgramRun noRestart = Setup({"/NORESTART"}, "A\nN\nN\nI\n1\nF\n");
    ASSERT_EQ(noRestart.exitCode, 0) << noRestart.output;
    EXPECT_EQ(Journal("exit windows").size(), 1u);
}

}  // namespace
}  // namespace tavlin::e2e
