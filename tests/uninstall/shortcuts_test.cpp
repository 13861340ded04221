// Program shortcuts: the links written for each choice, what they point at, the
// folders and files logged for the uninstall run, and the folder list.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "install/shortcuts.h"
#include "install/uninstall_log.h"
#include "engine_fixture.h"
#include "platform/hosted/shell_link_file.h"
#include "support/ini_file.h"
#include "controls/progress_dialog.h"

namespace tavlin {
namespace {

const std::string S = "C:\\WINDOWS\\Start Menu\\";
const std::string P = "C:\\WINDOWS\\Start Menu\\Programs\\";
const std::string D = "C:\\WINDOWS\\Desktop\\";
const std::string Q = "C:\\WINDOWS\\Application Data\\Microsoft\\Internet Explorer\\Quick Launch\\";
const std::string kMainDir = "C:\\Program Files\\Acme\\";

enum Row { rowStartMenu = 0, rowDesktop = 1, rowQuickLaunch = 2 };

// The check marks of the shortcut list with the given rows ticked.
std::vector<bool> TickedRows(const std::vector<std::size_t>& ticked) {
    std::vector<bool> rows;
    for (const std::size_t row : ticked) {
        if (row >= rows.size()) rows.resize(row + 1, false);
        rows[row] = true;
    }
    return rows;
}

class ShortcutStageTest : public test::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        files().forceDirectories(kMainDir);
        WriteFile(kMainDir + "acme.exe", "program");
        shortcuts = std::make_unique<TShortcuts>(*machine);
        log = std::make_unique<UninstallLog>(*machine, kMainDir + "uninstaller.cfg");
    }

    // Runs the stage for one desktop item with the given shortcut rows ticked.
    void RunItem(const std::string& item, std::vector<std::size_t> ticked) {
        state.DesktopItems.Clear();
        state.DesktopItems.Add(item);
        InstallContext context{platform(),
                               *ui,
                               state,
                               progressCount,
                               mainDir,
                               title,
                               folderStartMenu,
                               folderDesktop,
                               TickedRows(ticked),
                               {},
                               {},
                               *shortcuts,
                               [this](const std::string& change) { changes.push_back(change); }};
        CreateItemShortcuts(context, *log, 0);
    }

    // The link saved at path, read back; nothing when there is no valid link.
    std::optional<hosted::ShellLinkData> ReadLink(const std::string& path) {
        const auto bytes = ReadFile(path);
        if (!bytes) return std::nullopt;
        try {
            return hosted::decodeShellLink(*bytes);
        } catch (const Exception&) {
            return std::nullopt;
        }
    }

    std::vector<std::string> Logged(const std::string& section) {
        return IniFile(*machine, kMainDir + "uninstaller.cfg").ReadKeyNames(section);
    }

    SetupState state;
    std::unique_ptr<TShortcuts> shortcuts;
    std::unique_ptr<UninstallLog> log;
    int progressCount = 0;
    std::string mainDir = kMainDir;
    std::string title = "Acme";
    bool folderStartMenu = false;
    bool folderDesktop = false;
    std::vector<std::string> changes;
};

TEST_F(ShortcutStageTest, StartMenuChoiceWritesTwoLinksAndLogsThem) {
    RunItem("Acme,<InstallDir>\\acme.exe,X,,,C:\\src\\acme.exe,Acme,,,", {rowStartMenu});
    EXPECT_EQ(Logged("Folder"), (std::vector<std::string>{S + "Acme", P + "Acme"}));
    EXPECT_EQ(Logged("Files"), (std::vector<std::string>{S + "Acme.lnk", P + "Acme\\Acme.lnk"}));
    for (const auto& path : {S + "Acme.lnk", P + "Acme\\Acme.lnk"}) {
        const auto link = ReadLink(path);
        ASSERT_TRUE(link) << path;
        EXPECT_EQ(link->target, kMainDir + "acme.exe");
        EXPECT_EQ(link->workingDirectory, kMainDir);
    }
    EXPECT_FALSE(Exists(D + "Acme.lnk"));
    EXPECT_FALSE(Exists(S + "Acme"));  // logged for removal, but only made when chosen
    EXPECT_NE(std::find(changes.begin(), changes.end(), "Wrote shortcut " + S + "Acme.lnk"), changes.end());
}

TEST_F(ShortcutStageTest, EveryChoiceLogsItsFolderChainDeepestFirst) {
    folderDesktop = true;
    folderStartMenu = true;
    RunItem("Acme,<InstallDir>\\acme.exe,,,,,Acme Tools\\Sub\\Deep,,,", {rowStartMenu, rowDesktop, rowQuickLaunch});
    const std::string chain[] = {"Acme Tools\\Sub\\Deep", "Acme Tools\\Sub", "Acme Tools"};
    std::vector<std::string> folders;
    for (const auto& base : {S, D, P}) {
        for (const auto& c : chain) folders.push_back(base + c);
    }
    EXPECT_EQ(Logged("Folder"), folders);
    const std::string inFolder = "Acme Tools\\Sub\\Deep\\Acme.lnk";
    const std::vector<std::string> linkFiles = {S + "Acme.lnk", D + "Acme.lnk", Q + "Acme.lnk",
                                                D + inFolder,   S + inFolder,   P + inFolder};
    EXPECT_EQ(Logged("Files"), linkFiles);
    for (const auto& path : {D + inFolder, S + inFolder, P + inFolder, S + "Acme.lnk", D + "Acme.lnk"}) {
        EXPECT_TRUE(ReadLink(path)) << path;
    }
}

TEST_F(ShortcutStageTest, LinkCarriesShowCommandIconAndArguments) {
    const struct {
        const char* winShow;
        int showCommand;
    } cases[] = {{"Normal", 1}, {"Maximized", 3}, {"Minimized", 2}, {"minimized", 1}, {"", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.winShow);
        RunItem(std::string("Acme,<InstallDir>\\bin\\acme.exe,,,,,Acme,C:\\src\\art\\acme.ico,") + c.winShow +
                    ",/fast \"quoted\"",
                {});
        const auto link = ReadLink(P + "Acme\\Acme.lnk");
        ASSERT_TRUE(link);
        EXPECT_EQ(link->showCommand, c.showCommand);
        EXPECT_EQ(link->iconLocation, kMainDir + "acme.ico");
        EXPECT_EQ(link->iconIndex, 0);
        EXPECT_EQ(link->arguments, "/fast \"quoted\"");
        EXPECT_EQ(link->workingDirectory, kMainDir + "bin\\");
    }
}

TEST_F(ShortcutStageTest, EmptyIconFieldLeavesNoIcon) {
    RunItem("Acme,<InstallDir>\\acme.exe,,,,,Acme,,,", {});
    const auto link = ReadLink(P + "Acme\\Acme.lnk");
    ASSERT_TRUE(link);
    EXPECT_EQ(link->iconLocation, "");
    EXPECT_EQ(shortcuts->IconFile, "");
}

TEST_F(ShortcutStageTest, EmptyFolderPutsTheLinkIntoProgramsAndLogsNoShellFolder) {
    folderDesktop = true;
    RunItem("Acme,<InstallDir>\\acme.exe,,,,,,,,", {rowDesktop});
    EXPECT_TRUE(Logged("Folder").empty());
    EXPECT_TRUE(ReadLink(P + "Acme.lnk"));
    EXPECT_TRUE(ReadLink(D + "Acme.lnk"));
}

TEST_F(ShortcutStageTest, ExistingLinkIsReplaced) {
    WriteFile(P + "Acme\\Acme.lnk", "not a link at all");
    files().setAttributes(P + "Acme\\Acme.lnk", faArchive);
    RunItem("Acme,<InstallDir>\\acme.exe,,,,,Acme,,,", {});
    const auto link = ReadLink(P + "Acme\\Acme.lnk");
    ASSERT_TRUE(link);
    EXPECT_EQ(link->target, kMainDir + "acme.exe");
}

TEST_F(ShortcutStageTest, RepeatedItemLogsEachKeyOnce) {
    RunItem("Acme,<InstallDir>\\acme.exe,,,,,Acme,,,", {rowStartMenu});
    RunItem("Acme,<InstallDir>\\acme.exe,,,,,Acme,,,", {rowStartMenu});
    EXPECT_EQ(Logged("Folder"), (std::vector<std::string>{S + "Acme", P + "Acme"}));
    EXPECT_EQ(Logged("Files"), (std::vector<std::string>{S + "Acme.lnk", P + "Acme\\Acme.lnk"}));
}

TEST_F(ShortcutStageTest, FolderListNamesProgramsAndStartMenuEntriesButNoLinks) {
    files().forceDirectories(P + "Games");
    WriteFile(P + "Accessories.lnk", "x");
    WriteFile(P + ".hidden", "x");
    WriteFile(S + "Windows Update.LNK", "x");
    WriteFile(S + "readme.txt", "x");
    shortcuts->RefreshFolderList();
    const auto& names = shortcuts->FolderList.Lines();
    for (const char* name : {"Games", "StartUp", "Programs", "readme.txt"}) {
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
    }
    for (const char* name : {"Accessories.lnk", ".hidden", "Windows Update.LNK", ".", ".."}) {
        EXPECT_EQ(std::find(names.begin(), names.end(), name), names.end()) << name;
    }
    // Programs first, then the Start Menu folder.
    const auto games = std::find(names.begin(), names.end(), "Games");
    const auto readme = std::find(names.begin(), names.end(), "readme.txt");
    EXPECT_LT(games, readme);
}

}  // namespace
}  // namespace tavlin
