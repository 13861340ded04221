// The setup form's construction (its designed properties) and its life cycle:
// creation, show, the timed start of the expansion, closing and destruction.
#include "setup/display_screen.h"

#include "install/path_macros.h"
#include "install/previous_installation.h"
#include "platform/platform.h"
#include "setup/setup_config.h"
#include "setup/start_up.h"
#include "support/folders.h"
#include "support/font_styles.h"
#include "support/paths.h"
#include "support/shell_helpers.h"
#include "support/text.h"

namespace tavlin {

int ExitCodeOf(SetupOutcome outcome) {
    switch (outcome) {
        case SetupOutcome::Completed: return 0;
        case SetupOutcome::CouldNotStart: return 1;
        case SetupOutcome::Unfinished: return 2;
        case SetupOutcome::RunFailed: return 4;
    }
    return 4;
}

namespace {

void SetFont(TControl& control, const char* name, int points, FontStyles style, TColor color) {
    control.Font.Name = name;
    control.Font.SetSize(points);
    control.Font.Style = style;
    control.Font.Color = color;
}

void Place(TControl& control, TWinControl& parent, int left, int top, int width, int height) {
    control.SetParent(&parent);
    control.SetBounds(left, top, width, height);
}

}  // namespace

TDisplayScreen::TDisplayScreen(TApplication& application, SetupState& state, const SetupOptions& options,
                               std::string commandLine, ChangeRecorder recordChange)
    : TForm(application, "DisplayScreen"),
      State(state),
      Options(options),
      CommandLine(std::move(commandLine)),
      RecordChange(std::move(recordChange)),
      Main_Dir(application, "Main_Dir"),
      Timer1(application, "Timer1"),
      RunProgress(application),
      EngineScreen(application, RunProgress),
      DesktopProp(application.platform()),
      DelTree1(application.platform(), EngineScreen),
      SysShutdown1(application.platform()) {
    // The form: borderless and maximised, navy behind the background.
    Color = clNavy;
    WindowState = TWindowState::wsMaximized;
    SetBounds(0, 0, application.ScreenWidth, application.ScreenHeight);

    SetupScreen.SetParent(this);
    SetupScreen.Align = TAlign::alClient;
    SetupScreen.BevelOuter = TBevelCut::bvNone;
    SetupScreen.BackGroundEffect = bdHorzIn;
    SetupScreen.ColorStart = clBlue;
    SetupScreen.ColorEnd = clBlack;
    SetupScreen.Bitmap = TPicture{"", 50, 50, false};  // the built-in picture

    // The four text lines.
    struct LineDesign {
        TShadowLabel* label;
        int top;
        const char* font;
        int points;
        int shadowOffset;
        TShadowPosition shadow;
        const char* text;
    };
    const LineDesign lines[] = {
        {&TextInfo1, 8, "Arial", 24, 2, TShadowPosition::spLeftBottom, "Initializing Setup Wizard  ....."},
        {&TextInfo2, 48, "Arial", 13, 1, TShadowPosition::spLeftBottom, "De-Compressing .... Please Standby."},
        {&TextInfo3, 64, "Arial", 13, 1, TShadowPosition::spRightBottom, "working"},
        {&TextInfo4, 0, "Verdana", 11, 1, TShadowPosition::spLeftBottom, ""},
    };
    for (const LineDesign& line : lines) {
        line.label->SetParent(&SetupScreen);
        line.label->Left = 8;
        line.label->Top = line.top;
        SetFont(*line.label, line.font, line.points, fsItalic, clWhite);
        line.label->ShadowColor = clBlack;
        line.label->ShadowOffset = line.shadowOffset;
        line.label->ShadowPosition = line.shadow;
        line.label->SetCaption(line.text);
    }
    TextInfo1.Font.Height = -32;  // a character height of 32 pixels
    TextInfo1.AdjustSize();
    TextInfo4.Align = TAlign::alBottom;
    TextInfo4.Alignment = TLabel::TAlignment::taCenter;

    // The logo frame and the still logo.
    Place(ImageHolder1, SetupScreen, 0, 0, 161, 73);
    ImageHolder1.BevelInner = TBevelCut::bvLowered;
    ImageHolder1.BorderWidth = 2;
    ImageHolder1.Hide();
    LogoImage.SetParent(&ImageHolder1);
    LogoImage.Align = TAlign::alClient;
    Place(LogoImage2, SetupScreen, 360, 16, 32, 32);
    LogoImage2.AutoSize = true;
    LogoImage2.Hide();

    // The status panel shown while files are installed.
    Place(InstallStatus, SetupScreen, 0, 0, 241, 65);
    InstallStatus.BevelOuter = TBevelCut::bvNone;
    SetFont(InstallStatus, "Comic Sans MS", 13, fsBold, clHighlight);
    InstallStatus.Hide();
    Place(StatusIcon, InstallStatus, 8, 16, 32, 32);
    StatusIcon.Picture = TPicture{"res:SETUPICON", 32, 32, false};

    // The wizard: header bar, page book and button bar.
    Place(Wizard, SetupScreen, 0, 0, 441, 289);
    Wizard.Color = clWhite;
    Wizard.BevelWidth = 2;
    Wizard.BorderWidth = 1;
    SetFont(Wizard, "Verdana", 11, 0, clBlack);
    Wizard.Hide();
    Panel8.SetParent(&Wizard);
    Panel8.Align = TAlign::alTop;
    Panel8.Height = 40;
    Panel8.Color = clHighlight;
    Panel8.BevelOuter = TBevelCut::bvNone;
    Place(Image2, Panel8, 4, 4, 32, 32);
    Image2.Picture = TPicture{"res:SETUPICON", 32, 32, false};
    Header1.SetParent(&Panel8);
    SetFont(Header1, "Comic Sans MS", 21, 0, clHighlightText);
    Header1.ShadowColor = clBtnShadow;
    Header1.Alignment = TLabel::TAlignment::taCenter;
    Header1.SetBounds(40, 2, 397, 36);
    Header1.AutoSize = false;
    HeaderLine.SetParent(&Wizard);
    HeaderLine.Align = TAlign::alTop;
    HeaderLine.Height = 3;
    HeaderLine.Color = 0x804000;
    HeaderLine.BevelOuter = TBevelCut::bvNone;
    Notebook1.SetParent(&Wizard);
    Notebook1.Align = TAlign::alClient;
    Panel1.SetParent(&Wizard);
    Panel1.Align = TAlign::alBottom;
    Panel1.Height = 40;
    Panel1.Color = clWhite;
    Panel1.BevelOuter = TBevelCut::bvNone;
    ButtonBarLine.SetParent(&Panel1);
    ButtonBarLine.Align = TAlign::alTop;
    ButtonBarLine.Height = 2;
    ButtonBarLine.BevelOuter = TBevelCut::bvLowered;  // an etched line: grey over white
    Place(VivuroLabel, Panel1, 8, 12, 60, 16);
    VivuroLabel.Caption = "VIVURO";
    VivuroLabel.Font.Color = clGray;
    struct ButtonDesign {
        TButton* button;
        int left;
        const char* caption;
    };
    for (const ButtonDesign& b : {ButtonDesign{&Cancel1, 80, "&Cancel"}, ButtonDesign{&decline, 200, "&Decline"},
                                  ButtonDesign{&Accept, 360, "&Accept"}, ButtonDesign{&Back1, 280, "<< &Back"},
                                  ButtonDesign{&Next1, 360, "&Next >>"}}) {
        Place(*b.button, Panel1, b.left, 8, 75, 25);
        b.button->Caption = b.caption;
    }
    // Enter moves on, Esc cancels, as in any wizard.
    Next1.Default = true;
    Cancel1.Cancel = true;

    CreatePages();
    // A denser screen than the design's gets everything on the background larger
    // in proportion, so that text keeps to its boxes at the size the user chose.
    if (application.ScreenDpi != TApplication::kDesignedDpi && application.ScreenDpi > 0) {
        for (TControl* control : SetupScreen.Controls()) {
            control->ChangeScale(application.ScreenDpi, TApplication::kDesignedDpi);
        }
    }

    Timer1.Interval = 1000;
    Timer1.OnTimer = [this] { Timer1Timer(); };

    OnShow = [this] { FormShow(); };
    OnCloseQuery = [this](bool& canClose) { FormCloseQuery(canClose); };
    OnClose = [this](TCloseAction& action) { FormClose(action); };
    OnDestroy = [this] { FormDestroy(); };
    OnResize = [this] { FormResize(); };
    Notebook1.OnPageChanged = [this] { Notebook1PageChanged(); };
    Cancel1.OnClick = [this] { Cancel1Click(); };
    decline.OnClick = [this] { declineClick(); };
    Accept.OnClick = [this] { acceptClick(); };
    Back1.OnClick = [this] { Back1Click(); };
    Next1.OnClick = [this] { Next1Click(); };
}

TDisplayScreen::~TDisplayScreen() = default;

void TDisplayScreen::CreatePages() {
    TPanel& welcome = Notebook1.AddPage("page1");
    TPanel& license = Notebook1.AddPage("Page2");
    TPanel& directory = Notebook1.AddPage("Page3");
    TPanel& shortcuts = Notebook1.AddPage("Page4");
    Notebook1.AddPage("ReadyToInstall");
    Notebook1.AddPage("install");
    TPanel& finished = Notebook1.AddPage("Finished");
    TPanel& uninstaller = Notebook1.AddPage("Uninstaller");
    (void)welcome;

    Place(LicenseTopLabel, license, 8, 2, 425, 16);
    LicenseTopLabel.Caption = "Click on Accept to continue.pgdn/pgup to view License information.";
    Place(LicenseBottomLabel, license, 8, 176, 425, 30);
    LicenseBottomLabel.WordWrap = true;
    LicenseBottomLabel.AutoSize = false;
    LicenseBottomLabel.Caption =
        "You must select Accept or Decline to Continue with installation. if you accept License then click Accept!";

    Place(DirectoryLabel, directory, 8, 16, 425, 32);
    DirectoryLabel.WordWrap = true;
    DirectoryLabel.AutoSize = false;
    DirectoryLabel.Font.Style = fsBold;
    DirectoryLabel.Caption = "To change directory click on button on right hand side of  Destination  Directory.";
    Place(GroupBox1, directory, 8, 72, 425, 57);
    GroupBox1.Caption = " Destination  Directory ";
    Place(Main_Dir, GroupBox1, 12, 22, 400, 21);

    Place(CheckBox1, shortcuts, 8, 4, 200, 17);
    CheckBox1.Caption = "Add Folder to Start Menu";
    Place(CheckBox2, shortcuts, 220, 4, 200, 17);
    CheckBox2.Caption = "Add Folder to Desktop";
    Place(ListView1, shortcuts, 8, 26, 425, 180);
    ListView1.ViewStyle = TViewStyle::vsReport;
    ListView1.ShowColumnHeaders = true;
    ListView1.ColumnClick = false;
    ListView1.Columns = {{"Program to Add", 280}, {"Where to Add", 116}};
    ListView1.SetCheckboxes(true);

    Place(CompletedLabel, finished, 8, 16, 425, 24);
    CompletedLabel.Caption = "Installation Completed";
    Place(reboot, finished, 40, 60, 300, 17);
    reboot.Caption = "Re-Start Windows";
    Place(ReturnToWIndows, finished, 40, 84, 300, 17);
    ReturnToWIndows.Caption = "Return to Windows ";
    Place(LaunchItOption, finished, 40, 108, 300, 17);
    LaunchItOption.Caption = "Launch Program";
    Place(LaunchIt, finished, 60, 130, 365, 16);

    Place(UninstallOfLabel, uninstaller, 8, 8, 425, 16);
    UninstallOfLabel.Caption = "Perform Uninstall of";
    Place(ShadowLabel1, uninstaller, 8, 28, 425, 30);
    Place(ShadowLabel4, uninstaller, 8, 70, 425, 130);
    ShadowLabel4.WordWrap = true;
    ShadowLabel4.AutoSize = false;
    ShadowLabel4.ShadowOffset = 0;
    ShadowLabel4.Caption =
        "You are now ready to start uninstalling this application from your system.\r\n"
        "\r\n"
        "Click on the Finished button or (Alt+F) to start the uninstall process. \r\n"
        "To Cancel the uninstaller just click on Cancel.\r\n"
        "\r\n"
        "Thank you for trying our Software.";
}

void TDisplayScreen::FormCreate() {
    RunProgress.Caption = "Installing Application";
    RunProgress.CommonAvi = aviCopyFiles;
    Wizard.Hide();

    auto makeMemo = [this](const char* name, TPanel& page, int top, int bottomMargin, bool scroll, bool readOnly) {
        auto memo = std::make_unique<TMemo>(name);
        memo->SetParent(&page);
        memo->Font.ChangeScale(Application.ScreenDpi, TApplication::kDesignedDpi);
        top = Application.Scaled(top);
        bottomMargin = Application.Scaled(bottomMargin);
        memo->SetBounds(0, top, page.Width, std::max(0, page.Height - top - bottomMargin));
        memo->WordWrap = true;
        memo->ScrollBars = scroll ? TScrollStyle::ssVertical : TScrollStyle::ssNone;
        memo->ReadOnly = readOnly;
        return memo;
    };
    Wizard.Realign();
    LicenseMemo = makeMemo("LicenseMemo", Page(pgLicense), 20, 34, true, false);
    ReadyMemo = makeMemo("ReadyMemo", Page(pgReady), 0, 0, true, false);
    WelcomeMemo = makeMemo("WelcomeMemo", Page(pgWelcome), 0, 0, false, true);

    // The system's own small-icon list, shared and never freed by the setup.
    ListView1.SmallImages = platform().shell().systemSmallImageList(WindowsFolder(platform()).substr(0, 3));

    Realign();
    UninstallFolder = platform().files().currentDirectory();
    RemoveStaleExpansionFolders(platform(), DelTree1, RecordChange);
    InitSetupState(platform(), State, CommandLine);
    if (!State.UninstallMode) ExpansionLock = LockExpansionFolder(platform(), State.ExpandDir);
}

void TDisplayScreen::FormShow() {
    BringToFront();
    if (!State.UninstallMode) {
        Timer1.SetEnabled(true);
        return;
    }
    ShowUninstallPage();
}

void TDisplayScreen::ShowUninstallPage() {
    FileSystem& files = platform().files();
    Profile& profile = platform().profile();
    Application.ProcessMessages();
    SetupScreen.ColorStart = clRed;
    Wizard.Show();
    State.ExpandDir = State.SourceDir;
    SelectPage(pgUninstaller);
    Notebook1PageChanged();
    TextInfo2.SetCaption("Uninstall Software!");

    // The product's name: from the log beside the program, else the command line.
    std::string key = CommandLine;
    UninstallFolder = IncludeTrailingBackslash(files.currentDirectory());
    if (files.fileExists(UninstallFolder + "uninstaller.cfg")) {
        key = profile.readString(UninstallFolder + "uninstaller.cfg", "Name", "Title", "");
    }
    State.ExpandDir = UninstallFolder;
    UninstallFolder = RegisteredUninstallString(platform(), key);
    if (UninstallFolder.empty()) UninstallFolder = State.ExpandDir;
    UninstallFolder = ExtractFilePath(UninstallFolder);
    if (key.empty()) {
        UninstallFolder = IncludeTrailingBackslash(files.currentDirectory());
        key = profile.readString(UninstallFolder + "uninstaller.cfg", "Name", "Title", "");
    }
    UninstallName = key;
    TextInfo1.SetCaption(key);
    TextInfo4.SetCaption("Tavlin Pro Uninstaller");
    ShadowLabel1.Caption = key;
    State.ExpandDir = UninstallFolder;

    if (TextInfo1.Caption.empty()) {
        Outcome = SetupOutcome::CouldNotStart;
        Application.MessageBox("No Uninstall Information Found!!");
        Cancelled = true;
        return;
    }
    WriteSelfRemovalBatch(platform(), State.SourceDir, SelfRemovalExtrasOf(platform(), State.SourceDir, UninstallName));
    ReadSetupConfig(*this, State.SourceDir);
    Application.ProcessMessages();
    Refresh();
}

void TDisplayScreen::Timer1Timer() {
    Timer1.SetEnabled(false);
    OnShow = nullptr;  // the expansion form shows this form again when it closes

    if (ShowExpansionForm) {
        ShowExpansionForm(*this);
    } else {
        State.ExpandFailed = true;
    }
    Wizard.Show();
    Refresh();
    if (State.ExpandFailed) {
        Outcome = SetupOutcome::CouldNotStart;
        Close();
        return;
    }
    PrepareWizardAfterExpansion();
}

void TDisplayScreen::PrepareWizardAfterExpansion() {
    FileSystem& files = platform().files();
    int first = pgLicense;
    LogoImage.Animate = true;
    LicenseMemo->Lines = std::vector<std::string>{};
    SkipLicensePage = true;
    Refresh();

    std::string licence;
    for (const std::string& entry : State.InstallFiles) {
        const std::string name = UpperCaseAscii(ExtractFileName(entry));
        if (name == "LICENSE.TXT") {
            licence = entry;
        } else if (name == "UNINSTALL.TXT") {
            try {
                State.PreviousUninstallLines.LoadFromFile(files, entry);
            } catch (const EStreamError&) {
                for (const char* line :
                     {"There is a Previous Version of the Software Found!",
                      "Need to Perform an Uninstall! Click OK to Start.", "",
                      "When Completed you will come back to a \"Continue with Install\" Button Click \"OK\""}) {
                    State.PreviousUninstallLines.Add(line);
                }
            }
        }
    }
    if (!licence.empty() && files.fileExists(licence)) {
        StringList text;
        try {
            text.LoadFromFile(files, licence);
            LicenseMemo->Lines = text.Lines();
            SkipLicensePage = false;
        } catch (const EStreamError&) {
            // A licence that exists but cannot be read is treated as no licence.
        }
    }
    if (State.RestartOption) first = pgWelcome;
    if (Options.Dir) Main_Dir.Text = *Options.Dir;  // /DIR= replaces the configured folder

    SelectPage(first);
    FirstPage = first;
    Notebook1PageChanged();
    BringToFront();
    if (!State.UninstallMode && State.UninstallOption) {
        CheckPreviousInstallation(platform(), EngineScreen, State, Main_Dir.Text, RecordNote);
    }
}

void TDisplayScreen::Cancel1Click() {
    Cancelled = true;
    Close();
}

void TDisplayScreen::FormCloseQuery(bool& canClose) {
    // No wizard action may start while the form closes.
    Notebook1.OnPageChanged = nullptr;
    for (TButton* button : {&Next1, &Back1, &Cancel1, &decline, &Accept}) button->OnClick = nullptr;
    WindowState = TWindowState::wsMinimized;
    canClose = true;
}

void TDisplayScreen::FormClose(TCloseAction& action) { action = TCloseAction::caFree; }

void TDisplayScreen::FormDestroy() {
    // Releasing the run's lists and windows cannot fail here; the lists are cleared
    // and the progress windows closed.
    for (StringList* list : {&State.ArchiveFileList, &State.InstallFiles, &State.InstallTargets,
                             &State.AutoexecLines, &State.ConfigSysLines, &State.IniRegistryEntries,
                             &State.DesktopItems, &State.LaunchApps, &State.LaunchAppLocations,
                             &State.PreviousUninstallLines}) {
        list->Clear();
    }
    while (TForm_Progress* window = RunProgress.Window()) window->Close();

    if (!State.UninstallMode) {
        ExpansionLock.reset();
        if (State.ExpandDir.size() > 4) {
            DelTree1.Path = State.ExpandDir;
            DelTree1.DeleteTree();
        }
        RunClosingAction();
        return;
    }
    if (Cancelled) return;
    const std::string batch = WindowsFolder(platform()) + "\\temp\\vivUro.bat";
    if (!OpenWithShell(platform(), batch, 3)) NoteShellFailure(batch);
}

void TDisplayScreen::SelectPage(int page) { Notebook1.SetPageIndex(page); }

}  // namespace tavlin
