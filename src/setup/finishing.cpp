// The end of an installation: Finish opens or registers the configured files,
// removes the expansion folder and closes the setup; closing then launches the
// chosen program or restarts Windows.
#include "install/path_macros.h"
#include "platform/platform.h"
#include "setup/display_screen.h"
#include "support/folders.h"
#include "support/paths.h"
#include "support/shell_helpers.h"
#include "support/text.h"

namespace tavlin {

void TDisplayScreen::FinishInstallation() {
    if (!State.LaunchApps.Empty()) {
        Header1.Caption = "Launch External Apps .. ";
        Application.Minimize();
        Application.ProcessMessages();
    }
    Application.ProcessMessages();
    for (std::size_t i = 0; i < State.LaunchApps.Count(); ++i) {
        const std::string& file = State.LaunchApps[i];
        const std::string location = ExpandPathMacros(platform(), Main_Dir.Text, State.LaunchAppLocations[i], true);
        const std::string target = ShortPathOf(platform(), location) + ExtractFileName(file);
        const std::string upper = UpperCaseAscii(file);
        if (Contains(upper, ".DLL") || Contains(upper, ".OCX")) {
            // A component: registered silently, not opened.
            const std::string regsvr32 = SystemFolder(platform()) + "\\regsvr32.exe";
            if (!platform().shell().execute(ShellOwner::Desktop, "open", regsvr32, "/s " + target, "", swShowNormal)) {
                NoteShellFailure(regsvr32 + " /s " + target);
            }
        } else if (!OpenWithShell(platform(), target, 0)) {
            NoteShellFailure(target);
        }
    }
    Application.ProcessMessages();
    if (State.ExpandDir.size() > 4) {
        ExpansionLock.reset();
        DelTree1.Path = State.ExpandDir;
        DelTree1.DeleteTree();
    }
    Header1.Caption = "Removing Tempoary Files ..";
    Application.ProcessMessages();
    Header1.Caption = "Install Completed";
    Application.ProcessMessages();
    Close();
}

void TDisplayScreen::NoteShellFailure(const std::string& file) {
    // The run goes on: what failed to start is the user's to start by hand.
    if (RecordNote) RecordNote(ShellFailureNote(platform(), file));
}

void TDisplayScreen::RunClosingAction() {
    // A wizard that ended before the Finished page leaves the system as it is.
    if (!FinishedPageReached) return;
    if (LaunchItOption.Checked()) {
        if (!OpenWithShell(platform(), LaunchIt.Caption, 0)) NoteShellFailure(LaunchIt.Caption);
    } else if (reboot.Checked() && !Options.NoRestart) {
        SysShutdown1.ActionType = satReboot;
        SysShutdown1.Force = false;
        SysShutdown1.Execute();
    }
}

}  // namespace tavlin
