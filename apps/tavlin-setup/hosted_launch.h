// Programs that a setup starts through the shell, run on the hosted machine: a
// setup.exe there (an earlier installation's uninstaller) runs as a setup of its
// own, to its end, before the starting setup goes on.
#pragma once

#include <string>
#include <vector>

#include "platform/hosted/hosted_machine.h"

namespace tavlin {

class SetupFrontEnd;

// Splits a command line's parameters the way Windows programs do: at blanks,
// with double quotes grouping and removed.
std::vector<std::string> SplitParameters(const std::string& text);

// Runs the setup with parameters on the machine, holding its setup.exe while it
// runs; the batch files it starts stay pending. Returns the exit code.
int RunHostedSetup(hosted::HostedMachine& machine, const std::vector<std::string>& parameters,
                   SetupFrontEnd& frontEnd);

}  // namespace tavlin
