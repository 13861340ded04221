// Program shortcuts: the shortcut component that writes .lnk files into the shell
// folders, and the per-item stage of the installation run that logs the folders
// and links before it creates them.
#include "install/shortcuts.h"

#include <iterator>
#include <vector>

#include "config/screen_names.h"
#include "install/path_macros.h"
#include "install/uninstall_log.h"
#include "platform/platform.h"
#include "support/fields.h"
#include "support/folders.h"
#include "support/paths.h"
#include "support/text.h"

namespace tavlin {

namespace {

constexpr std::size_t kDesktopItemFields = 10;

// The show command a WinShow text asks for; 0 leaves the link's default.
int ShowCommandFor(const std::string& winShow) {
    const int commands[] = {swShowNormal, swShowMaximized, swShowMinimized};
    static_assert(std::size(commands) == WindowStateNames.size());
    for (std::size_t i = 0; i < WindowStateNames.size(); ++i) {
        if (winShow == WindowStateNames[i]) return commands[i];
    }
    return 0;
}

// A program folder and each of its parents, the deepest first, so that removing
// them in this order works upwards.
std::vector<std::string> FolderChain(const std::string& folder) {
    std::vector<std::string> chain;
    std::string rest = folder;
    std::string last;
    while (!rest.empty()) {
        chain.push_back(rest);
        if (rest.find('\\') == std::string::npos) break;
        SplitLastField(rest, '\\', last);
    }
    return chain;
}

}  // namespace

TShortcuts::TShortcuts(Platform& platform) : platform_(platform) { RefreshFolderList(); }

void TShortcuts::RefreshFolderList() {
    FolderList.Clear();
    for (const auto kind : {sfPrograms, sfStartMenu}) {
        const std::string base = SpecialFolder(platform_, kind);
        for (const auto& entry : platform_.files().find(base + "*.*", faAnyFile)) {
            if (entry.name.empty() || entry.name.front() == '.') continue;
            if (Contains(UpperCaseAscii(entry.name), ".LNK")) continue;
            FolderList.Add(entry.name);
        }
    }
}

void TShortcuts::CreateShortcuts() {
    FileSystem& files = platform_.files();
    const std::string startMenu = SpecialFolder(platform_, sfStartMenu);
    const std::string desktop = SpecialFolder(platform_, sfDesktop);
    const std::string programs = SpecialFolder(platform_, sfPrograms);
    const std::string quickLaunch = SpecialFolder(platform_, sfQuickLaunch);

    const auto link = platform_.shell().createShellLink();
    link->setPath(RunProgram);
    link->setWorkingDirectory(RunProgram.substr(0, RunProgram.find_last_of('\\') + 1));
    link->setIconLocation(IconFile, 0);
    link->setArguments(CommandLine);
    if (const int show = ShowCommandFor(WinShow)) link->setShowCommand(show);

    const std::string linkName = ProgramName + ".lnk";
    const auto save = [&](const std::string& path) {
        files.deleteFile(path);  // a link that cannot be removed is simply saved over, or missing
        if (link->save(path)) {
            if (RecordChange) RecordChange("Wrote shortcut " + path);
        } else if (RecordNote) {
            const std::string reason = link->lastFailure();
            RecordNote("Failed to write shortcut " + path + (reason.empty() ? "" : ": " + reason));
        }
    };
    const auto saveInFolder = [&](const std::string& base) {
        const std::string folder = base + Folder + "\\";
        if (!files.directoryExists(folder) && files.forceDirectories(folder) && RecordChange) {
            RecordChange("Created folder " + folder);
        }
        save(folder + linkName);
    };

    if (FolderDesktop) {
        saveInFolder(desktop);
        saveInFolder(programs);
    }
    if (FolderStartMenu) saveInFolder(startMenu);
    if (FolderQuickLaunch) saveInFolder(quickLaunch);
    saveInFolder(programs);
    if (Desktop) save(desktop + linkName);
    if (StartMenu) save(startMenu + linkName);
    if (QuickLaunch) save(quickLaunch + linkName);
}

void CreateItemShortcuts(InstallContext& context, UninstallLog& log, std::size_t index) {
    context.ui.ProcessMessages();
    Platform& platform = context.platform;
    TShortcuts& shortcuts = context.DesktopProp;

    std::string text = context.state.DesktopItems[index];
    std::vector<std::string> fields(kDesktopItemFields);
    for (auto& field : fields) SplitFirstField(text, ',', field);
    const auto rowChecked = [&](std::size_t row) {
        return row < context.ShortcutRows.size() && context.ShortcutRows[row];
    };

    shortcuts.FolderDesktop = context.FolderDesktop;
    shortcuts.FolderStartMenu = context.FolderStartMenu;
    shortcuts.ProgramName = fields[0];
    shortcuts.RunProgram = ResolveMacroPath(platform, context.Main_Dir, fields[1]);
    shortcuts.StartMenu = rowChecked(3 * index);
    shortcuts.Desktop = rowChecked(3 * index + 1);
    shortcuts.QuickLaunch = rowChecked(3 * index + 2);
    shortcuts.Folder = fields[6];
    shortcuts.IconFile = fields[7].empty() ? std::string() : context.Main_Dir + ExtractFileName(fields[7]);
    shortcuts.WinShow = fields[8];
    shortcuts.CommandLine = fields[9];
    shortcuts.RecordChange = context.RecordChange;
    shortcuts.RecordNote = context.RecordNote;

    const std::string startMenu = SpecialFolder(platform, sfStartMenu);
    const std::string desktop = SpecialFolder(platform, sfDesktop);
    const std::string programs = SpecialFolder(platform, sfPrograms);
    const std::string quickLaunch = SpecialFolder(platform, sfQuickLaunch);
    const std::string linkName = shortcuts.ProgramName + ".lnk";
    const std::string inFolder = shortcuts.Folder + "\\" + linkName;
    // Without a program folder there is no folder of ours to log: the shell folder
    // itself must never be listed for removal.
    const auto chain = FolderChain(shortcuts.Folder);
    const auto logChain = [&](const std::string& base) {
        for (const auto& folder : chain) log.AddFolder(base + folder);
    };

    // Everything is logged before it is created, so that a run that stops half-way
    // can still be undone.
    logChain(startMenu);
    if (shortcuts.StartMenu) log.AddFile(startMenu + linkName);
    if (shortcuts.Desktop) log.AddFile(desktop + linkName);
    if (shortcuts.QuickLaunch) log.AddFile(quickLaunch + linkName);
    if (shortcuts.FolderDesktop) {
        logChain(desktop);
        log.AddFile(desktop + inFolder);
    }
    if (shortcuts.FolderStartMenu) {
        logChain(startMenu);
        log.AddFile(startMenu + inFolder);
    }
    logChain(programs);
    log.AddFile(programs + inFolder);

    shortcuts.CreateShortcuts();
    context.ui.ProcessMessages();
}

}  // namespace tavlin
