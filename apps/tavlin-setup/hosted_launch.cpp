#include "hosted_launch.h"

#include "setup/setup_program.h"

namespace tavlin {

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
                   SetupFrontEnd& frontEnd) {
    std::string held;
    SetupProgramHooks hooks;
    hooks.ProgramStarted = [&](const std::string& program) {
        if (!machine.files().fileExists(program)) return;
        held = program;
        machine.holdFile(program);
    };
    const int code = RunSetupProgram(machine, parameters, frontEnd, hooks);
    if (!held.empty()) machine.releaseFile(held);
    return code;
}

}  // namespace tavlin
