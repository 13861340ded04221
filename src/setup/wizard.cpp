// The wizard: what each page shows and which buttons it offers, how the buttons
// move between pages, the shortcut list with the summary, and the hand-over to
// the installation and uninstall runs.
#include <algorithm>

#include "install/installation_run.h"
#include "install/path_macros.h"
#include "platform/platform.h"
#include "setup/display_screen.h"
#include "support/fields.h"
#include "support/paths.h"
#include "support/shell_helpers.h"
#include "uninstall/uninstall_run.h"

namespace tavlin {

void TDisplayScreen::Notebook1PageChanged() {
    Back1.Show();
    Next1.Show();
    decline.Hide();
    Accept.Hide();
    Application.ProcessMessages();

    switch (Notebook1.PageIndex()) {
        case pgWelcome:
            Header1.Caption = "Install Application";
            break;
        case pgLicense:
            Header1.Caption = "License Agreement";
            Next1.Caption = "&Next >>";
            decline.Show();
            Accept.Show();
            Next1.Hide();
            if (SkipLicensePage) {
                SelectPage(pgDirectory);
                Back1.Show();
                Next1.Show();
                decline.Hide();
                Accept.Hide();
            }
            break;
        case pgDirectory:
            Header1.Caption = "Installation Directory";
            Next1.Caption = "&Next >>";
            break;
        case pgShortcuts:
            Header1.Caption = "Folder:" + State.DesktopFolder;
            BuildShortcutList();
            Next1.Caption = "&Next >>";
            break;
        case pgReady:
            Header1.Caption = "Ready to Install";
            Next1.Caption = "&Install";
            break;
        case pgInstalling:
            Header1.Caption = "Installing";
            StartInstallation();
            break;
        case pgFinished:
            Wizard.Show();
            InstallStatus.Hide();
            Header1.Caption = TextInfo1.Caption;
            LaunchIt.Caption = ResolveMacroPath(platform(), Main_Dir.Text, State.LaunchApplication);
            Back1.Hide();
            Next1.Caption = "&Finish";
            Next1.Show();
            decline.Hide();
            Accept.Hide();
            Cancel1.Hide();
            FinishedPageReached = true;
            if (Outcome == SetupOutcome::Unfinished) Outcome = SetupOutcome::Completed;
            Refresh();
            break;
        case pgUninstaller:
            Next1.Caption = "&UnInstall";
            Header1.Caption = "Uninstall Application";
            RunProgress.Caption = "Uninstall Application ...";
            ShadowLabel1.Caption = TextInfo1.Caption;
            ShadowLabel1.Font.Name = TextInfo1.Font.Name;
            ShadowLabel1.Font.SetSize(TextInfo1.Font.Size);
            Back1.Hide();
            Next1.Show();
            decline.Hide();
            Accept.Hide();
            Application.ProcessMessages();
            Refresh();
            break;
        default:
            break;
    }
    if (Notebook1.PageIndex() == FirstPage) Back1.Hide();
}

void TDisplayScreen::StartInstallation() {
    Wizard.Hide();
    SetStatusCaption("Installing Files");
    const TPoint at = CentredIn(Application.ScreenWidth, Application.ScreenHeight, InstallStatus.Width,
                                InstallStatus.Height);
    InstallStatus.Left = at.x;
    InstallStatus.Top = at.y;
    InstallStatus.Show();
    Application.ProcessMessages();
    Refresh();
    std::string folder = Main_Dir.Text;
    InstallContext context = MakeInstallContext(folder);
    RunStarted = true;
    try {
        RunInstallation(context);
    } catch (const std::exception& error) {
        // The run stops here; the screen stays on the install page and the user
        // can only close the setup. The log keeps what was done so far.
        Outcome = SetupOutcome::RunFailed;
        if (RecordNote) RecordNote(std::string("Installation failed: ") + error.what());
        Application.ShowException(error);
    }
    Main_Dir.Text = folder;
}

void TDisplayScreen::StartUninstall() {
    UninstallContext context{platform(),
                             EngineScreen,
                             State,
                             ProgressCount,
                             UninstallFolder,
                             UninstallName,
                             TextInfo1.Caption,
                             [this](const std::string& text) { TextInfo2.SetCaption(text); },
                             DelTree1,
                             [this] { Close(); },
                             RecordChange,
                             RecordNote};
    RunStarted = true;
    try {
        RunUninstall(context);
        if (Outcome == SetupOutcome::Unfinished) Outcome = SetupOutcome::Completed;
    } catch (const std::exception& error) {
        Outcome = SetupOutcome::RunFailed;
        if (RecordNote) RecordNote(std::string("Uninstall failed: ") + error.what());
        Application.ShowException(error);
    }
}

InstallContext TDisplayScreen::MakeInstallContext(std::string& folder) {
    std::vector<bool> rows;
    for (const TListItem& item : ListView1.Items) rows.push_back(item.Checked);
    return InstallContext{
        platform(),
        EngineScreen,
        State,
        ProgressCount,
        folder,
        TextInfo1.Caption,
        CheckBox1.Checked,
        CheckBox2.Checked,
        std::move(rows),
        [this](const std::string& caption) { SetStatusCaption(caption); },
        // The Finished page shows the folder as the run completed it.
        [this, &folder] {
            Main_Dir.Text = folder;
            SelectPage(pgFinished);
        },
        DesktopProp,
        RecordChange,
        RecordNote,
    };
}

void TDisplayScreen::Next1Click() {
    if (State.UninstallMode) {
        StartUninstall();
        return;
    }
    const int page = Notebook1.PageIndex();
    if (page == pgFinished) {
        FinishInstallation();
    } else if (page == pgDirectory) {
        if (State.DisplayDesktopOptions) {
            SelectPage(pgShortcuts);
        } else {
            BuildShortcutList();
            SelectPage(pgReady);
        }
    } else if (page < pgUninstaller) {
        SelectPage(page + 1);
    }
}

void TDisplayScreen::Back1Click() {
    const int page = Notebook1.PageIndex();
    if (page <= FirstPage) return;
    if (page == pgReady) {
        SelectPage(State.DisplayDesktopOptions ? pgShortcuts : pgDirectory);
    } else {
        SelectPage(page - 1);
    }
}

void TDisplayScreen::acceptClick() { SelectPage(Notebook1.PageIndex() + 1); }

void TDisplayScreen::declineClick() { Close(); }

void TDisplayScreen::BuildShortcutList() {
    ListView1.Items.clear();
    ListView1.SetCheckboxes(true);
    std::vector<std::string> summary = {"Install To: " + Main_Dir.Text, "", "Folders:"};

    for (const std::string& item : State.DesktopItems) {
        DesktopProp.FolderDesktop = CheckBox2.Checked;
        DesktopProp.FolderStartMenu = CheckBox1.Checked;
        std::string rest = item;
        std::string fields[10];
        for (std::string& field : fields) SplitFirstField(rest, ',', field);
        DesktopProp.ProgramName = fields[0];
        DesktopProp.RunProgram = ResolveMacroPath(platform(), Main_Dir.Text, fields[1]);
        DesktopProp.StartMenu = fields[2] == "X";
        DesktopProp.Desktop = fields[3] == "X";
        DesktopProp.QuickLaunch = fields[4] == "X";
        const std::string& source = fields[5];
        DesktopProp.Folder = fields[6];
        DesktopProp.IconFile = ExtractFileName(fields[7]);
        DesktopProp.WinShow = fields[8];
        DesktopProp.CommandLine = fields[9];

        const int icon = SmallIconIndex(platform(), State.ExpandDir + (source.size() > 3 ? source.substr(3) : ""));

        summary.push_back(DesktopProp.Folder + ": " + DesktopProp.ProgramName);
        if (DesktopProp.FolderDesktop) summary.push_back(DesktopProp.Folder + " Desktop : " + DesktopProp.ProgramName);
        if (DesktopProp.FolderStartMenu) {
            summary.push_back(DesktopProp.Folder + " StartMenu : " + DesktopProp.ProgramName);
        }

        const std::pair<const char*, bool> rows[] = {{"StartMenu", DesktopProp.StartMenu},
                                                     {"Desktop", DesktopProp.Desktop},
                                                     {"Quick Launch", DesktopProp.QuickLaunch}};
        for (const auto& [where, checked] : rows) {
            TListItem& row = ListView1.AddItem();
            row.Caption = DesktopProp.ProgramName;
            row.SubItems = {where};
            row.ImageIndex = icon;
            row.Checked = checked;
        }
    }
    ReadyMemo->Lines = summary;
    Application.ProcessMessages();
    ListView1.SetCheckboxes(true);
    Application.ProcessMessages();
}

}  // namespace tavlin
