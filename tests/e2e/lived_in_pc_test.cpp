// A PC that has been used for a while: the user's documents, another product with
// its folder, INI file, Run value and uninstall entry, a wallpaper, a .txt
// association, a WIN.INI and a hand-edited AUTOEXEC.BAT that ends with Ctrl-Z.
// Each case installs a product that writes into all of them, uses the PC, and
// removes the product through its registered entry; afterwards everything that
// was not the product's is byte for byte as before and everything it made is
// gone. The kill test stops the install and the uninstall after a fixed list of
// changes and checks that the registered uninstall then always finishes the job.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "e2e/e2e_support.h"
#include "platform/hosted/hosted_machine.h"
#include "support/text.h"

namespace tavlin::e2e {
namespace {

namespace fs = std::filesystem;

const char* const kAcmeConfig =
    "[Setup Screen]\r\n"
    "Text Line 1=Acme\r\n"
    "Main Directory=Acme\r\n"
    "Desktop Folder=Acme\r\n"
    "[INI\\Registry]\r\n"
    "Count=8\r\n"
    "INIREG 0=HKEY_CURRENT_USER\\,Control Panel\\Desktop,AcmeSaver,<InstallDir>\\saver.scr\r\n"
    "INIREG 1=HKEY_CURRENT_USER\\,Control Panel\\Desktop,Wallpaper,<InstallDir>\\acme.bmp\r\n"
    "INIREG 2=HKEY_LOCAL_MACHINE\\,Software\\Classes\\.txt,,acmetext\r\n"
    "INIREG 3=HKEY_LOCAL_MACHINE\\,Software\\Microsoft\\Windows\\CurrentVersion\\Run,Acme,<InstallDir>\\acme.exe\r\n"
    "INIREG 4=HKEY_LOCAL_MACHINE\\,Software\\Acme Corp\\Acme,Path,<InstallDir>\\\r\n"
    "INIREG 5=win.ini.,windows,AcmeRun,yes\r\n"
    "INIREG 6=host.ini,Acme,Plugin,1\r\n"
    "INIREG 7=acme.ini,Options,Data,<InstallDir>\\data\r\n"
    "[AUTOEXEC.BAT]\r\n"
    "set acmedir=<InstallDir>\\\r\n"
    "[CONFIG.SYS]\r\n"
    "DEVICE=<InstallDir>\\acme.sys\r\n"
    "[Desktop]\r\n"
    "Acme,<InstallDir>\\acme.exe,X,,,C:\\Acme\\acme.exe,Acme,,Normal,\r\n";

const std::string kListKey = "Software\\Microsoft\\Windows\\currentversion\\uninstall\\";

class LivedInPc : public ::testing::Test {
protected:
    void SetUp() override {
        root = FreshFolder("lived-in");
        machineFolder = root / "machine";
        media = root / "media";
        BuildMedia();
        ASSERT_EQ(RunProgram(ProgramPath("tavlin-setup"), {"--machine", machineFolder.string(), "--create-only"}).exitCode,
                  0);
        Seed();
    }
    void TearDown() override {
        if (!HasFailure()) fs::remove_all(root);
    }

    void BuildMedia() {
        const fs::path product = root / "Acme";
        WriteHostFile(product / "acme.exe", "MZ acme");
        WriteHostFile(product / "readme.txt", "Acme notes");
        WriteHostFile(product / "art" / "acme.bmp", "BM acme");
        WriteHostFile(root / "install.cfg", kAcmeConfig);
        WriteHostFile(root / "setup.exe", "MZ setup");
        const ProgramRun run = RunProgram(
            ProgramPath("tavlin"), {"media", "--product", product.string(), "--config", (root / "install.cfg").string(),
                                    "--setup", (root / "setup.exe").string(), "--out", media.string()});
        ASSERT_EQ(run.exitCode, 0) << run.output;
    }

    void Seed() {
        const fs::path c = machineFolder / "drives" / "c";
        WriteHostFile(c / "My Documents" / "letter.doc", "Dear Sir");
        WriteHostFile(c / "My Documents" / "budget.xls", "1,2,3");
        WriteHostFile(c / "Program Files" / "Host" / "host.exe", "MZ host");
        WriteHostFile(c / "Program Files" / "Host" / "plugins.txt", "none yet");
        WriteHostFile(c / "WINDOWS" / "HOST.INI", "[Host]\r\nMode=1\r\n");
        WriteHostFile(c / "WINDOWS" / "WIN.INI", "[windows]\r\nload=\r\nrun=\r\n\r\n[Desktop]\r\nWallpaper=clouds.bmp\r\n");
        WriteHostFile(c / "AUTOEXEC.BAT", "@ECHO OFF\r\nPATH C:\\DOS;C:\\WINDOWS\r\nSET TEMP=C:\\TEMP\r\n\x1A");
        auto machine = hosted::HostedMachine::open(machineFolder);
        Registry& registry = machine->registry();
        const auto set = [&](RegistryRoot rootKey, const std::string& key, const std::string& name,
                             const std::string& value) {
            ASSERT_TRUE(registry.createKey(rootKey, key));
            ASSERT_TRUE(registry.writeString(rootKey, key, name, value));
        };
        set(RegistryRoot::CurrentUser, "Control Panel\\Desktop", "Wallpaper", "C:\\WINDOWS\\CLOUDS.BMP");
        set(RegistryRoot::CurrentUser, "Control Panel\\Desktop", "ScreenSaveActive", "1");
        set(RegistryRoot::LocalMachine, "Software\\Classes\\.txt", "", "txtfile");
        set(RegistryRoot::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Host",
            "C:\\Program Files\\Host\\host.exe");
        set(RegistryRoot::LocalMachine, kListKey + "Host App", "DisplayName", "Host App");
        set(RegistryRoot::LocalMachine, kListKey + "Host App", "UninstallString", "C:\\Program Files\\Host\\unhost.exe");
    }

    ProgramRun Setup(const std::vector<std::string>& parameters, const std::string& currentFolder = "D:\\",
                     int killAtChange = 0) {
        std::vector<std::string> arguments = {"--machine", machineFolder.string(), "--drive", "D=" + media.string(),
                                              "--cd", currentFolder};
        if (killAtChange > 0) arguments.insert(arguments.end(), {"--kill-at-change", std::to_string(killAtChange)});
        arguments.push_back("--");
        arguments.insert(arguments.end(), parameters.begin(), parameters.end());
        return RunProgram(ProgramPath("tavlin-setup"), arguments);
    }
    ProgramRun Install(const std::string& folder, int killAtChange = 0) {
        std::vector<std::string> parameters = {"/VERYSILENT"};
        if (!folder.empty()) parameters.push_back("/DIR=" + folder);
        return Setup(parameters, "D:\\", killAtChange);
    }
    ProgramRun Uninstall(int killAtChange = 0) { return Setup({"/VERYSILENT", "Acme"}, "C:\\WINDOWS", killAtChange); }

    std::unique_ptr<hosted::HostedMachine> Machine() { return hosted::HostedMachine::open(machineFolder); }
    bool Exists(const std::string& windowsPath) { return Machine()->files().attributes(windowsPath).has_value(); }

    // Every file and folder of drive C with its content, and the registry's text.
    std::map<std::string, std::string> Snapshot() {
        std::map<std::string, std::string> all;
        const fs::path drive = machineFolder / "drives" / "c";
        for (const auto& entry : fs::recursive_directory_iterator(drive)) {
            const std::string path = fs::relative(entry.path(), drive).string();
            all[path] = entry.is_directory() ? "<folder>" : ReadHostFile(entry.path());
        }
        // The self-removal batch file is written anew by every uninstall.
        all.erase("WINDOWS/Temp/vivUro.bat");
        all["<registry>"] = ReadHostFile(machineFolder / "registry.reg");
        return all;
    }
    // What differs between two snapshots, for a readable failure.
    static std::string Difference(const std::map<std::string, std::string>& before,
                                  const std::map<std::string, std::string>& after) {
        std::string text;
        for (const auto& [path, content] : before) {
            const auto found = after.find(path);
            if (found == after.end()) {
                text += "gone: " + path + "\n";
            } else if (found->second != content) {
                text += "changed: " + path + "\n--- before\n" + content + "\n--- after\n" + found->second + "\n";
            }
        }
        for (const auto& [path, content] : after) {
            if (!before.count(path)) text += "new: " + path + "\n";
        }
        return text;
    }

    fs::path root, machineFolder, media;
};

struct LivedInCase {
    const char* name;
    const char* folder;  // /DIR=, empty: the configured folder
    const char* installed;  // a product file where the case puts it
};

class LivedInCases : public LivedInPc, public ::testing::WithParamInterface<LivedInCase> {};

TEST_P(LivedInCases, TheUninstallLeavesThePcAsItWas) {
    const LivedInCase& c = GetParam();
    const auto before = Snapshot();

    const ProgramRun install = Install(c.folder);
    ASSERT_EQ(install.exitCode, 0) << install.output;
    EXPECT_TRUE(Exists(c.installed));
    const std::string autoexec = ReadHostFile(machineFolder / "drives" / "c" / "AUTOEXEC.BAT");
    // The block stands before the closing Ctrl-Z, and its line is whole.
    EXPECT_NE(autoexec.find("SET ACMEDIR="), std::string::npos) << autoexec;
    EXPECT_EQ(autoexec.back(), '\x1A') << autoexec;
    EXPECT_EQ(Machine()->registry().readString(RegistryRoot::CurrentUser, "Control Panel\\Desktop", "Wallpaper").value_or(""),
              // Written values are upper case, the folder of the macro too.
              std::string(c.folder).empty() ? "C:\\PROGRAM FILES\\ACME\\ACME.BMP"
                                            : UpperCaseAscii(std::string(c.folder)) + "\\ACME.BMP");

    // The user goes on working: a new document, a line of their own in AUTOEXEC.BAT
    // is not added (the file must come back byte for byte).
    WriteHostFile(machineFolder / "drives" / "c" / "My Documents" / "later.doc", "written after the install");
    auto expected = before;
    expected["My Documents/later.doc"] = "written after the install";

    const ProgramRun uninstall = Uninstall();
    ASSERT_EQ(uninstall.exitCode, 0) << uninstall.output;
    EXPECT_FALSE(Exists(c.installed));
    const auto after = Snapshot();
    EXPECT_EQ(after, expected) << Difference(expected, after);
}

INSTANTIATE_TEST_SUITE_P(Cases, LivedInCases,
                         ::testing::Values(LivedInCase{"OwnFolder", "", "C:\\Program Files\\Acme\\acme.exe"},
                                           LivedInCase{"PlugInFolder", "C:\\Program Files\\Host",
                                                       "C:\\Program Files\\Host\\acme.exe"},
                                           LivedInCase{"MyDocuments", "C:\\My Documents", "C:\\My Documents\\acme.exe"},
                                           // The installation makes C:\New as well; it goes with the rest.
                                           LivedInCase{"NewFolders", "C:\\New\\Sub", "C:\\New\\Sub\\acme.exe"}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(LivedInPc, AHandEditedLogEntryThatClimbsOutIsRefused) {
    const auto before = Snapshot();
    ASSERT_EQ(Install("").exitCode, 0);
    const fs::path log = machineFolder / "drives" / "c" / "Program Files" / "Acme" / "uninstaller.cfg";
    std::string text = ReadHostFile(log);
    const std::string files = "[Files]\r\n";
    const std::string hostile = "C:\\Program Files\\Acme\\..\\..\\WINDOWS\\WIN.INI";
    ASSERT_NE(text.find(files), std::string::npos) << text;
    text.insert(text.find(files) + files.size(), hostile + "=\r\n");
    WriteHostFile(log, text);

    const ProgramRun uninstall = Setup({"/VERYSILENT", "/LOG=C:\\uninstall.log", "Acme"}, "C:\\WINDOWS");
    ASSERT_EQ(uninstall.exitCode, 0) << uninstall.output;
    const std::string record = ReadHostFile(machineFolder / "drives" / "c" / "uninstall.log");
    EXPECT_NE(record.find("Refused log entry " + hostile + ": climbs out with \"..\"\r\n"), std::string::npos)
        << record;
    // WIN.INI among the rest: the PC is as it was, the product is gone.
    auto after = Snapshot();
    after.erase("uninstall.log");
    EXPECT_EQ(after, before) << Difference(before, after);
}

// The changes an uninterrupted run makes, from its /LOG record.
int CountChanges(const std::string& record) {
    int changes = 0;
    std::size_t start = 0;
    while (start < record.size()) {
        std::size_t end = record.find("\r\n", start);
        if (end == std::string::npos) end = record.size();
        const std::string line = record.substr(start, end - start);
        if (!line.empty() && line.rfind("Message box", 0) != 0 && line.find("failed") == std::string::npos) ++changes;
        start = end + 2;
    }
    return changes;
}

// The configured folder, and one whose parent the installation makes too.
class KilledRuns : public LivedInPc, public ::testing::WithParamInterface<const char*> {};

TEST_P(KilledRuns, AKilledInstallOrUninstallIsFinishedByTheRegisteredUninstall) {
    const std::string folder = GetParam();
    const auto before = Snapshot();
    const auto sample = [](int total) {
        // A fixed spread over the run: the first changes, every fifth, the last ones.
        std::vector<int> points;
        for (int n = 1; n <= total; n += (n < 4 || n > total - 3) ? 1 : 5) points.push_back(n);
        return points;
    };

    std::vector<std::string> installParameters = {"/VERYSILENT", "/LOG=C:\\install.log"};
    if (!folder.empty()) installParameters.push_back("/DIR=" + folder);
    ASSERT_EQ(Setup(installParameters).exitCode, 0);
    const int installChanges = CountChanges(ReadHostFile(machineFolder / "drives" / "c" / "install.log"));
    ASSERT_EQ(Setup({"/VERYSILENT", "/LOG=C:\\uninstall.log", "Acme"}, "C:\\WINDOWS").exitCode, 0);
    const int uninstallChanges = CountChanges(ReadHostFile(machineFolder / "drives" / "c" / "uninstall.log"));
    fs::remove(machineFolder / "drives" / "c" / "install.log");
    fs::remove(machineFolder / "drives" / "c" / "uninstall.log");
    ASSERT_GT(installChanges, 10);
    ASSERT_GT(uninstallChanges, 10);
    {
        const auto clean = Snapshot();
        ASSERT_EQ(clean, before) << Difference(before, clean);
    }

    for (const int point : sample(installChanges)) {
        SCOPED_TRACE("install killed at change " + std::to_string(point));
        EXPECT_EQ(Install(folder, point).exitCode, 137);
        const ProgramRun finish = Uninstall();
        EXPECT_EQ(finish.exitCode, 0) << finish.output;
        const auto after = Snapshot();
        EXPECT_EQ(after, before) << Difference(before, after);
        if (HasFailure()) return;
    }
    for (const int point : sample(uninstallChanges)) {
        SCOPED_TRACE("uninstall killed at change " + std::to_string(point));
        ASSERT_EQ(Install(folder).exitCode, 0);
        // Up to the last change: the entry stays until the self-removal batch file
        // has deleted the running program, so it can always finish the job.
        EXPECT_EQ(Uninstall(point).exitCode, 137);
        const ProgramRun finish = Uninstall();
        EXPECT_EQ(finish.exitCode, 0) << finish.output;
        const auto after = Snapshot();
        EXPECT_EQ(after, before) << Difference(before, after);
        if (HasFailure()) return;
    }
}

INSTANTIATE_TEST_SUITE_P(Folders, KilledRuns, ::testing::Values("", "C:\\New\\Sub"),
                         [](const auto& testInfo) { return std::string(*testInfo.param ? "NewFolders" : "Configured"); });

}  // namespace
}  // namespace tavlin::e2e
