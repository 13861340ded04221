#include "hosted_launch.h"

#include <cstdlib>

#include "setup/setup_program.h"

namespace tavlin {

namespace {

// What a shell reports for a process ended by SIGKILL.
constexpr int kKilledExitCode = 137;

}  // namespace

std::vector<std::string> SplitParameters(const std::string& text) {
    std::vector<std::string> parameters;
    std::string current;
    bool quoted = false;
    bool any = false;
    for (const char c : text) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (c == ' ' && !quoted) {
            if (any) parameters.push_back(current);
            current.clear();
            any = false;
        } else {
            current += c;
            any = true;
        }
    }
    if (any) parameters.push_back(current);
    return parameters;
}

int RunHostedSetup(hosted::HostedMachine& machine, const std::vector<std::string>& parameters,
                   SetupFrontEnd& frontEnd, int killAtChange) {
    std::string held;
    SetupProgramHooks hooks;
    hooks.ProgramStarted = [&](const std::string& program) {
        if (!machine.files().fileExists(program)) return;
        held = program;
        machine.holdFile(program);
    };
    int changes = 0;
    if (killAtChange > 0) {
        hooks.ChangeMade = [&changes, killAtChange](const std::string&) {
            // No unwinding, no flushing: what is on the machine's disk is what a
            // killed process would leave.
            if (++changes == killAtChange) std::_Exit(kKilledExitCode);
        };
    }
    const int code = RunSetupProgram(machine, parameters, frontEnd, hooks);
    if (!held.empty()) machine.releaseFile(held);
    return code;
}

}  // namespace tavlin
