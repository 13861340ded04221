// The program entry shared by setup.exe and tavlin-setup: reads the command line,
// chooses the run mode, creates the setup form and runs the message loop until
// the form is destroyed, with a front end that shows the wizard and brings the
// user's actions (a terminal, the silent driver, or real windows).
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tavlin {

class Platform;
class TDisplayScreen;

class SetupFrontEnd {
public:
    virtual ~SetupFrontEnd() = default;
    // The form exists and is about to be created and shown.
    virtual void Attach(TDisplayScreen& screen) {}
    // Waits for the user's next action and carries it out; false when no further
    // action will come (the window is then closed).
    virtual bool NextAction(TDisplayScreen& screen) = 0;
    // Pending messages run: the front end shows what changed.
    virtual void Update(TDisplayScreen& screen) {}
    // A message box that silent runs did not show, with the answer it took.
    virtual void SuppressedMessage(const std::string& text) {}
};

struct SetupProgramHooks {
    // Shows the expansion form; empty means the real one (TUNZIP).
    std::function<void(TDisplayScreen&)> ExpansionForm;
    // The running program's own file, known once the start folder is: the host
    // marks it as in use for the length of the run.
    std::function<void(const std::string& programPath)> ProgramStarted;
    // Hears of every change the run makes, after it is made (and recorded for /LOG).
    std::function<void(const std::string& change)> ChangeMade;
};

// Runs the setup with the process's parameters; returns the exit code (0 done,
// 1 could not start, 2 cancelled or declined, 4 the run failed).
int RunSetupProgram(Platform& platform, const std::vector<std::string>& parameters, SetupFrontEnd& frontEnd,
                    const SetupProgramHooks& hooks = {});

}  // namespace tavlin
