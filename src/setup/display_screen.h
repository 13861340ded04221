// The full-screen setup form: its controls (background, text lines, logo, status
// panel, wizard with its eight pages) and its handlers, from creation through the
// timed expansion and the wizard to closing. The form holds the run's own state;
// the setup state it works on belongs to the program run.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "controls/folder_edit.h"
#include "controls/group_box.h"
#include "controls/form.h"
#include "controls/list_view.h"
#include "controls/notebook.h"
#include "controls/picture_controls.h"
#include "controls/shadow_label.h"
#include "install/install_context.h"
#include "install/setup_state.h"
#include "install/shortcuts.h"
#include "setup/command_line.h"
#include "setup/screen_ui.h"
#include "setup/sys_shutdown.h"
#include "controls/progress_dialog.h"
#include "uninstall/del_tree.h"

namespace tavlin {

// The wizard's pages.
enum WizardPage {
    pgWelcome = 0,
    pgLicense = 1,
    pgDirectory = 2,
    pgShortcuts = 3,
    pgReady = 4,
    pgInstalling = 5,
    pgFinished = 6,
    pgUninstaller = 7,
};

// How a run ended, for the exit code.
enum class SetupOutcome {
    Unfinished,     // cancelled, declined or closed before anything was changed: 2
    CouldNotStart,  // media, expansion or uninstall information missing: 1
    Completed,      // installed or uninstalled: 0
    RunFailed,      // an error ended the installation or uninstallation run: 4
};
int ExitCodeOf(SetupOutcome outcome);

class TDisplayScreen : public TForm {
public:
    TDisplayScreen(TApplication& application, SetupState& state, const SetupOptions& options,
                   std::string commandLine, ChangeRecorder recordChange);
    ~TDisplayScreen() override;

    // The run's state and settings.
    SetupState& State;
    const SetupOptions& Options;
    const std::string CommandLine;  // the parameters joined with blanks
    ChangeRecorder RecordChange;
    // The /LOG record's other lines: failures with their causes, message boxes.
    ChangeRecorder RecordNote;

    // Shows the expansion form modally (the program passes the real one).
    std::function<void(TDisplayScreen&)> ShowExpansionForm;
    // The expansion form's progress dialog while it exists.
    TProgressDialog* ExpansionProgress = nullptr;

    // The form's own state.
    int FirstPage = 0;
    bool SkipLicensePage = false;
    std::string UninstallFolder;
    std::string UninstallName;
    bool Cancelled = false;
    int ProgressCount = 0;
    SetupOutcome Outcome = SetupOutcome::Unfinished;
    // The wizard reached the Finished page; only then does closing carry out the
    // choice made there.
    bool FinishedPageReached = false;
    // The installation or uninstallation run has begun.
    bool RunStarted = false;

    // The screen.
    TGradPan SetupScreen{"SetupScreen"};
    TShadowLabel TextInfo1{"TextInfo1"};
    TShadowLabel TextInfo2{"TextInfo2"};
    TShadowLabel TextInfo3{"TextInfo3"};
    TShadowLabel TextInfo4{"TextInfo4"};
    TPanel ImageHolder1{"ImageHolder1"};
    TImage LogoImage{"LogoImage"};
    TImage LogoImage2{"LogoImage2"};
    TPanel InstallStatus{"InstallStatus"};
    TImage StatusIcon{"Image1"};

    // The wizard.
    TPanel Wizard{"Wizard"};
    TPanel Panel8{"Panel8"};
    TImage Image2{"Image2"};
    TShadowLabel Header1{"Header1"};
    TPanel HeaderLine{"Panel9"};  // the dark blue line under the header bar
    TNotebook Notebook1{"Notebook1"};
    TPanel Panel1{"Panel1"};
    TPanel ButtonBarLine{"Bevel1"};  // the line along the top of the button bar
    TLabel VivuroLabel{"Label10"};
    TButton Cancel1{"Cancel1"};
    TButton decline{"decline"};
    TButton Accept{"Accept"};
    TButton Back1{"Back1"};
    TButton Next1{"Next1"};

    // Page contents; the three text boxes are made by FormCreate.
    std::unique_ptr<TMemo> WelcomeMemo;
    std::unique_ptr<TMemo> LicenseMemo;
    std::unique_ptr<TMemo> ReadyMemo;
    TLabel LicenseTopLabel{"Label1"};
    TLabel LicenseBottomLabel{"Label2"};
    TLabel DirectoryLabel{"Label3"};
    TGroupBox GroupBox1{"GroupBox1"};
    TFolderEdit Main_Dir;
    TCheckBox CheckBox1{"CheckBox1"};
    TCheckBox CheckBox2{"CheckBox2"};
    TListView ListView1{"ListView1"};
    TLabel CompletedLabel{"Label5"};
    TRadioButton reboot{"reboot"};
    TRadioButton ReturnToWIndows{"ReturnToWIndows"};
    TRadioButton LaunchItOption{"LaunchItOption"};
    TLabel LaunchIt{"LaunchIt"};
    TLabel UninstallOfLabel{"Label7"};
    TShadowLabel ShadowLabel1{"ShadowLabel1"};
    TShadowLabel ShadowLabel4{"ShadowLabel4"};

    // Components.
    TTimer Timer1;
    TProgressDialog RunProgress;
    // What the engines see of this screen.
    ScreenUi EngineScreen;
    TShortcuts DesktopProp;
    TDelTree DelTree1;
    // Held open while the setup runs, so that a later setup knows the expansion
    // folder is in use; the folders of setups that ended without it are removed.
    std::unique_ptr<FileStream> ExpansionLock;
    TSysShutdown SysShutdown1;

    // Life cycle.
    void FormCreate();
    void FormShow();
    void Timer1Timer();
    void Cancel1Click();
    void FormCloseQuery(bool& canClose);
    void FormClose(TCloseAction& action);
    void FormDestroy();

    // The wizard.
    void Notebook1PageChanged();
    void Next1Click();
    void Back1Click();
    void acceptClick();
    void declineClick();
    void BuildShortcutList();
    // The Finished page's Finish: opens or registers the launch files, removes the
    // expansion folder and closes the form.
    void FinishInstallation();
    // The last step of destruction: launch the program or restart Windows.
    void RunClosingAction();
    // Notes in the record that file could not be started, with the shell's reason.
    void NoteShellFailure(const std::string& file);

    // The screen's layout.
    void FormResize();
    void AdjustFonts1Click();
    void LoadLogo1Click();
    void LogoPosChanges1Click();
    void DisplayStyleChanges1Click();
    // Shows a text in the status panel, sized to it and centred on the screen.
    void SetStatusCaption(const std::string& caption);

    // What the installation run needs from the wizard and the screen; folder is
    // the installation folder the run works on (the edit's text, copied).
    InstallContext MakeInstallContext(std::string& folder);

    Platform& platform() { return Application.platform(); }
    TPanel& Page(WizardPage page) { return Notebook1.Page(page); }

private:
    void CreatePages();
    void SelectPage(int page);
    void ShowUninstallPage();
    void PrepareWizardAfterExpansion();
    void StartInstallation();
    void StartUninstall();
};

}  // namespace tavlin
