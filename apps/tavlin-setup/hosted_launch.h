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
// runs; the batch files it starts stay pending. Returns the exit code. With
// killAtChange n > 0 the process ends at once, as if killed, when the run has
// made its nth change (a test of what a stopped run leaves behind).
int RunHostedSetup(hosted::HostedMachine& machine, const std::vector<std::string>& parameters,
                   SetupFrontEnd& frontEnd, int killAtChange = 0);

}  // namespace tavlin
