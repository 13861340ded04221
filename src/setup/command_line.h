// The setup's command line: the switches that come first (/SILENT, /VERYSILENT,
// /DIR=, /NORESTART, /SUPPRESSMSGBOXES, /LOG=), and the rest joined with single
// blanks into the one text the setup reads.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tavlin {

struct SetupOptions {
    bool Silent = false;            // no wizard; progress shown
    bool VerySilent = false;        // nothing shown
    bool NoRestart = false;         // never restart Windows
    bool SuppressMsgBoxes = false;  // every box takes its safe default
    std::optional<std::string> Dir;  // installation folder
    std::optional<std::string> Log;  // plain-text record of every change

    // No wizard: the run goes on by itself.
    bool Unattended() const { return Silent || VerySilent; }
    // Message boxes are not shown.
    bool NoMessageBoxes() const { return Unattended() || SuppressMsgBoxes; }
};

struct SetupCommandLine {
    SetupOptions Options;
    std::vector<std::string> Parameters;  // what follows the switches
};

// Takes the leading switches off the parameters; letter case is ignored, and a
// value may be enclosed in double quotes. The first parameter that is not a switch
// ends them.
SetupCommandLine ParseSetupCommandLine(const std::vector<std::string>& parameters);

// All parameters in order with one blank between them.
std::string JoinParameters(const std::vector<std::string>& parameters);

}  // namespace tavlin
