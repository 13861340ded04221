// setup.exe: the Windows program's entry. The run is the same program code as on
// the hosted machine, on the Win32 platform. Without a silent switch the wizard
// shows on the screen in real windows and waits for the user; /SILENT runs
// unattended and shows only the progress windows, /VERYSILENT shows nothing. The
// exit code is the setup's.
//
// A GUI-subsystem program (linked with -mwindows); the C run-time calls main with
// the command line split by the standard rules, in the ANSI code page.
#include <string>
#include <vector>

#include "frontend/win32/silent_front_end.h"
#include "frontend/win32/win32_front_end.h"
#include "platform/win32/win32_platform.h"
#include "setup/command_line.h"
#include "setup/setup_program.h"
#include "setup/silent_wizard.h"

int main(int argc, char** argv) {
    using namespace tavlin;
    const std::vector<std::string> parameters(argv + 1, argv + argc);
    const SetupOptions options = ParseSetupCommandLine(parameters).Options;

    win32::Win32Platform platform;
    platform.setSuppressMessageBoxes(options.NoMessageBoxes());
    if (options.VerySilent) {
        SilentWizard wizard(nullptr);
        return RunSetupProgram(platform, parameters, wizard);
    }
    if (options.Silent) {
        Win32SilentFrontEnd frontEnd;
        return RunSetupProgram(platform, parameters, frontEnd);
    }
    Win32FrontEnd frontEnd(platform);
    return RunSetupProgram(platform, parameters, frontEnd);
}
