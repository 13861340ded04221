// INI and registry entries of the configuration: how they are written and
// logged, what clearing before an installation deletes and what it keeps, how
// logged keys are erased, and the product's uninstall entry.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "install/ini_registry.h"
#include "install/install_fixture.h"
#include "install/shared_settings.h"
#include "install/uninstall_log.h"
#include "support/ini_file.h"

namespace tavlin::test {
namespace {

constexpr auto LM = RegistryRoot::LocalMachine;
constexpr auto CU = RegistryRoot::CurrentUser;

class IniRegistryTest : public InstallFixture {
protected:
    void SetUp() override {
        InstallFixture::SetUp();
        files().forceDirectories(mainDir);
        files().forceDirectories("C:\\Data");
    }

    std::vector<std::string> Logged(const std::string& section) {
        return platform().profile().readKeyNames(LogPath(), section);
    }

    std::string RegistryText() { return ReadHostFile(machineFolder / "registry.reg"); }

    static std::string ReadHostFile(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

struct ApplyCase {
    std::string entry;
    // An INI entry names its file; a registry entry its root and key.
    std::string iniFile;
    RegistryRoot root;
    std::string key;  // INI: the section
    std::string name;
    std::string value;
    std::string logSection;
    std::string logKey;
};

class ApplyEntryTest : public IniRegistryTest, public ::testing::WithParamInterface<ApplyCase> {};

TEST_P(ApplyEntryTest, WritesAndLogsTheSetting) {
    const ApplyCase& c = GetParam();
    state.IniRegistryEntries.Add(c.entry);
    UninstallLog log(platform(), LogPath());
    log.Create(title);
    auto context = Context();
    ApplyIniRegistryEntries(context, log);

    if (!c.iniFile.empty()) {
        EXPECT_EQ(platform().profile().readString(c.iniFile, c.key, c.name, "<missing>"), c.value);
    } else {
        EXPECT_EQ(platform().registry().readString(c.root, c.key, c.name), c.value);
    }
    EXPECT_EQ(Logged(c.logSection), std::vector<std::string>{c.logKey});
    EXPECT_EQ(changes.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, ApplyEntryTest,
    ::testing::Values(
        ApplyCase{"acme.ini,Options,Data,<InstallDir>\\data", "C:\\WINDOWS\\ACME.INI", LM, "OPTIONS", "DATA",
                  "C:\\PROGRAM FILES\\ACME\\DATA", "Files", "C:\\WINDOWS\\ACME.INI"},
        ApplyCase{"c:\\data\\acme.ini,Main,Dir,<InstallDir>", "C:\\Data\\acme.ini", LM, "MAIN", "DIR", "<INSTALLDIR>",
                  "Files", "C:\\DATA\\ACME.INI"},
        // The file field takes the short folder forms, the value the long ones.
        ApplyCase{"<InstallDir>\\acme.ini,S,K,<InstallDir>\\", "C:\\Program Files\\Acme\\acme.ini", LM, "S", "K",
                  "C:\\PROGRAM FILES\\ACME\\", "Files", "C:\\PROGRA~1\\ACME\\ACME.INI"},
        ApplyCase{"acme.ini,Opt,List,\"a,b\"", "C:\\WINDOWS\\ACME.INI", LM, "OPT", "LIST", "A,B", "Files",
                  "C:\\WINDOWS\\ACME.INI"},
        ApplyCase{"acme.ini,Opt,List,a,b", "C:\\WINDOWS\\ACME.INI", LM, "OPT", "LIST", "A", "Files",
                  "C:\\WINDOWS\\ACME.INI"},
        ApplyCase{"HKEY_LOCAL_MACHINE\\,Software\\Acme,Path,<InstallDir>\\", "", LM, "SOFTWARE\\ACME", "PATH",
                  "C:\\PROGRAM FILES\\ACME\\", "Registry", "HKEY_LOCAL_MACHINE\\\\SOFTWARE\\ACME"},
        ApplyCase{"HKEY_CURRENT_USER\\,Software\\Acme,,x", "", CU, "SOFTWARE\\ACME", "", "X", "Registry",
                  "HKEY_CURRENT_USER\\\\SOFTWARE\\ACME"},
        // The run creates ACME as well as SUB: the log names the highest key it made.
        ApplyCase{"HKEY_LOCAL_MACHINE\\Software\\,Acme\\Sub,P,<Windows>\\x", "", LM, "SOFTWARE\\ACME\\SUB", "P",
                  "C:\\WINDOWS\\X", "Registry", "HKEY_LOCAL_MACHINE\\\\SOFTWARE\\ACME"},
        // Another root name of the same length lands below HKEY_CURRENT_USER.
        ApplyCase{"HKEY_CLASSES_ROOT\\,Software\\Acme,K,v", "", CU, "SOFTWARE\\ACME", "K", "V", "Registry",
                  "HKEY_CLASSES_ROOT\\\\SOFTWARE\\ACME"}));

TEST_F(IniRegistryTest, ALogStartedAfreshTakesEntriesItHeldBefore) {
    UninstallLog log(platform(), LogPath());
    log.Create(title);
    log.AddFile("C:\\Data\\*.*");
    log.AddFile("C:\\Data\\*.*");  // once is enough
    log.AddFolder("C:\\Data\\");
    EXPECT_EQ(Logged("Files"), std::vector<std::string>{"C:\\Data\\*.*"});
    log.Create(title);
    log.AddFile("C:\\Data\\*.*");
    log.AddFolder("C:\\Data\\");
    EXPECT_EQ(Logged("Files"), std::vector<std::string>{"C:\\Data\\*.*"});
    EXPECT_EQ(Logged("Folder"), std::vector<std::string>{"C:\\Data\\"});
}

TEST_F(IniRegistryTest, AWindowsIniFileIsWrittenButNotOfferedForDeletion) {
    state.IniRegistryEntries.Add("win.ini,Acme,Run,yes");
    UninstallLog log(platform(), LogPath());
    log.Create(title);
    auto context = Context();
    ApplyIniRegistryEntries(context, log);
    EXPECT_EQ(platform().profile().readString("WIN.INI", "ACME", "RUN", ""), "YES");
    EXPECT_TRUE(Logged("Files").empty());
}

TEST_F(IniRegistryTest, AnIniFileThatCannotBeWrittenEndsTheRunAfterItIsLogged) {
    state.IniRegistryEntries.Add("c:\\no such folder\\acme.ini,S,K,V");
    state.IniRegistryEntries.Add("HKEY_LOCAL_MACHINE\\,Software\\Acme,K,V");
    UninstallLog log(platform(), LogPath());
    log.Create(title);
    auto context = Context();
    try {
        ApplyIniRegistryEntries(context, log);
        FAIL() << "no exception";
    } catch (const EIniFileException& error) {
        EXPECT_STREQ(error.what(), "Unable to write to C:\\NO SUCH FOLDER\\ACME.INI");
    }
    EXPECT_EQ(Logged("Files"), std::vector<std::string>{"C:\\NO SUCH FOLDER\\ACME.INI"});
    EXPECT_FALSE(platform().registry().openKey(LM, "SOFTWARE\\ACME"));
}

// Clearing before an installation: every setting below is created first, then
// one clearing runs over all the entries.
struct ClearCase {
    std::string entry;
    std::string iniFile;  // empty: a registry key
    RegistryRoot root;
    std::string key;
    bool survives;
};

TEST_F(IniRegistryTest, ClearingDeletesTheProductsTargetsAndKeepsSharedOnes) {
    const ClearCase cases[] = {
        {"acme.ini,Options,Data,x", "C:\\WINDOWS\\ACME.INI", LM, "", false},
        {"win.ini,Acme,Run,x", "C:\\WINDOWS\\WIN.INI", LM, "", true},
        {"System.ini,boot,Acme,x", "C:\\WINDOWS\\SYSTEM.INI", LM, "", true},
        {"odbc.ini,Acme,Driver,x", "C:\\WINDOWS\\ODBC.INI", LM, "", true},
        {"HKEY_LOCAL_MACHINE\\,Software\\Acme,Path,x", "", LM, "SOFTWARE\\ACME", false},
        {"HKEY_CURRENT_USER\\Software\\,Acme Tools,Path,x", "", CU, "SOFTWARE\\ACME TOOLS", false},
        {"HKEY_LOCAL_MACHINE\\,Software,Acme,x", "", LM, "SOFTWARE", true},
        {"HKEY_LOCAL_MACHINE\\Software\\,,Acme,x", "", LM, "SOFTWARE", true},
        {"HKEY_CURRENT_USER\\,Software\\Microsoft\\Windows\\CurrentVersion\\Run,Acme,x", "", CU,
         "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN", true},
        {"HKEY_LOCAL_MACHINE\\,Software\\Microsoft,Acme,x", "", LM, "SOFTWARE\\MICROSOFT", true},
    };
    for (const auto& c : cases) {
        state.IniRegistryEntries.Add(c.entry);
        if (!c.iniFile.empty()) {
            WriteFile(c.iniFile, "[Other]\r\nKept=1\r\n");
        } else {
            ASSERT_TRUE(platform().registry().createKey(c.root, c.key + "\\Sub"));
            ASSERT_TRUE(platform().registry().writeString(c.root, c.key, "Other", "kept"));
        }
    }
    // The product's earlier log names every target, the shared ones too (as a log
    // of an older version could).
    std::string earlierLog = "[Files]\r\n";
    for (const auto& c : cases) {
        if (!c.iniFile.empty()) earlierLog += c.iniFile + "=\r\n";
    }
    earlierLog += "[Registry]\r\n";
    for (const auto& c : cases) {
        if (c.iniFile.empty()) earlierLog += std::string(c.root == LM ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER") + "\\" + c.key + "=\r\n";
    }
    WriteFile(LogPath(), earlierLog);
    auto context = Context();
    ClearIniRegistryTargets(context);
    for (const auto& c : cases) {
        const bool exists = c.iniFile.empty() ? platform().registry().openKey(c.root, c.key)
                                              : files().fileExists(c.iniFile);
        EXPECT_EQ(exists, c.survives) << c.entry;
    }
    EXPECT_EQ(changes.size(), 3u);

    // Without the product's log nothing is its own: the same targets all stay.
    for (const auto& c : cases) {
        if (!c.iniFile.empty()) {
            WriteFile(c.iniFile, "[Other]\r\nKept=1\r\n");
        } else {
            ASSERT_TRUE(platform().registry().createKey(c.root, c.key + "\\Sub"));
        }
    }
    ASSERT_TRUE(files().deleteFile(LogPath()));
    changes.clear();
    ClearIniRegistryTargets(context);
    for (const auto& c : cases) {
        EXPECT_TRUE(c.iniFile.empty() ? platform().registry().openKey(c.root, c.key) : files().fileExists(c.iniFile))
            << c.entry;
    }
    EXPECT_TRUE(changes.empty());
}

struct EraseCase {
    std::string text;
    RegistryRoot root;
    std::string key;
    bool deleted;
};

class EraseLoggedKeyTest : public MachineFixture, public ::testing::WithParamInterface<EraseCase> {};

TEST_P(EraseLoggedKeyTest, DeletesOnlyTheProductsKey) {
    const EraseCase& c = GetParam();
    Registry& registry = platform().registry();
    for (const auto root : {LM, CU}) {
        ASSERT_TRUE(registry.createKey(root, "SOFTWARE\\ACME\\SUB"));
        ASSERT_TRUE(registry.writeString(root, "SOFTWARE\\ACME\\SUB", "V", "1"));
        ASSERT_TRUE(registry.createKey(root, "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN"));
        ASSERT_TRUE(registry.writeString(root, "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN", "Other", "x"));
    }
    ASSERT_TRUE(registry.openKey(c.root, c.key));
    EXPECT_EQ(EraseLoggedKey(platform(), c.text), c.deleted);
    EXPECT_EQ(registry.openKey(c.root, c.key), !c.deleted);
    const RegistryRoot other = c.root == LM ? CU : LM;
    EXPECT_TRUE(registry.openKey(other, "SOFTWARE\\ACME\\SUB"));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, EraseLoggedKeyTest,
    ::testing::Values(EraseCase{"HKEY_LOCAL_MACHINE\\\\SOFTWARE\\ACME", LM, "SOFTWARE\\ACME", true},
                      EraseCase{"HKEY_LOCAL_MACHINE\\SOFTWARE\\ACME", LM, "SOFTWARE\\ACME", true},
                      EraseCase{"hkey_local_machine\\software\\acme", LM, "SOFTWARE\\ACME", true},
                      EraseCase{"HKEY_CURRENT_USER\\\\SOFTWARE\\ACME", CU, "SOFTWARE\\ACME", true},
                      EraseCase{"SOFTWARE\\ACME\\SUB", CU, "SOFTWARE\\ACME\\SUB", true},
                      EraseCase{"HKEY_LOCAL_MACHINE\\\\SOFTWARE", LM, "SOFTWARE", false},
                      EraseCase{"HKEY_LOCAL_MACHINE\\SOFTWARE\\", LM, "SOFTWARE", false},
                      EraseCase{"HKEY_LOCAL_MACHINE\\\\SOFTWARE\\MICROSOFT", LM, "SOFTWARE\\MICROSOFT", false},
                      EraseCase{"HKEY_CURRENT_USER\\\\SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN", CU,
                                "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN", false}));

TEST(SharedRegistryKeyTest, CountsLevelsWithoutEmptyNames) {
    EXPECT_EQ(NormalKeyPath("\\A\\\\B\\"), "A\\B");
    EXPECT_TRUE(IsSharedRegistryKey("\\SOFTWARE\\\\"));
    EXPECT_FALSE(IsSharedRegistryKey("\\SOFTWARE\\\\ACME"));
    EXPECT_TRUE(IsSharedRegistryKey("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"));
    EXPECT_FALSE(IsSharedRegistryKey("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Acme"));
}

TEST_F(IniRegistryTest, TheUninstallEntryNamesTheInstalledSetupAndDescribesTheProduct) {
    title = "Acme Suite";
    mainDir = "C:\\Acme\\";
    WriteFile("C:\\Acme\\big.bin", std::string(3000, 'x'));
    WriteFile("C:\\Acme\\small.bin", "y");
    state.InstallTargets = {"C:\\Acme\\big.bin", "C:\\Acme\\Data\\", "C:\\Acme\\small.bin", "C:\\Acme\\big.bin",
                            "C:\\Acme\\missing.bin"};
    auto context = Context();
    RegisterUninstallEntry(context);

    const std::string key = std::string(kUninstallListKey) + "Acme Suite";
    Registry& registry = platform().registry();
    EXPECT_EQ(registry.readString(LM, key, "DisplayName"), "Acme Suite");
    EXPECT_EQ(registry.readString(LM, key, "UninstallString"), "C:\\Acme\\setup.exe Acme Suite");
    EXPECT_EQ(registry.readString(LM, key, "QuietUninstallString"), "C:\\Acme\\setup.exe /VERYSILENT Acme Suite");
    EXPECT_EQ(registry.readString(LM, key, "InstallLocation"), "C:\\Acme\\");
    EXPECT_EQ(registry.readString(LM, key, "DisplayIcon"), "C:\\Acme\\setup.exe");
    // 3001 bytes, each file counted once, rounded up to whole KiB.
    const std::string text = RegistryText();
    EXPECT_NE(text.find("\"EstimatedSize\"=dword:00000003"), std::string::npos) << text;
    EXPECT_NE(text.find("\"NoModify\"=dword:00000001"), std::string::npos);
    EXPECT_NE(text.find("\"NoRepair\"=dword:00000001"), std::string::npos);
}

// A target that names a folder adds nothing; one with wildcards adds every file
// that it matches, the files named on their own lines again.
TEST_F(IniRegistryTest, TheEstimatedSizeCountsFilesNotFoldersAndWildcardsByTheirMatches) {
    title = "Acme Suite";
    mainDir = "C:\\Acme\\";
    WriteFile("C:\\Acme\\big.bin", std::string(3000, 'x'));
    WriteFile("C:\\Acme\\small.bin", "y");
    WriteFile("C:\\Acme\\Data\\inner.bin", std::string(5000, 'z'));
    struct Case {
        std::vector<std::string> targets;
        const char* size;
    };
    for (const Case& c : {Case{{"C:\\Acme\\Data"}, "00000000"}, Case{{"C:\\Acme\\*.bin"}, "00000003"},
                          Case{{"C:\\Acme\\big.bin", "C:\\Acme\\b?g.*"}, "00000006"},
                          Case{{"C:\\Acme\\Data\\inner.bin", "C:\\Acme\\Data"}, "00000005"},
                          // Targets in folders not there add nothing; a folder in another spelling is there.
                          Case{{"C:\\Missing\\big.bin", "C:\\Nowhere\\*.bin", "C:\\ACME\\DATA\\inner.bin",
                                "C:\\Acme\\Missing\\small.bin", "C:\\acme\\BIG.BIN"},
                               "00000008"}}) {
        SCOPED_TRACE(c.size);
        state.InstallTargets.Lines() = c.targets;
        auto context = Context();
        RegisterUninstallEntry(context);
        const std::string text = RegistryText();
        EXPECT_NE(text.find(std::string("\"EstimatedSize\"=dword:") + c.size), std::string::npos) << text;
    }
}

TEST_F(IniRegistryTest, AnEmptyTitleRegistersNothing) {
    title.clear();
    auto context = Context();
    RegisterUninstallEntry(context);
    EXPECT_EQ(platform().registry().readString(LM, kUninstallListKey, "DisplayName"), std::nullopt);
    EXPECT_EQ(platform().registry().readString(LM, kUninstallListKey, "UninstallString"), std::nullopt);
    EXPECT_TRUE(changes.empty());
}

}  // namespace
}  // namespace tavlin::test
