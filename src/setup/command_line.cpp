#include "setup/command_line.h"

#include "support/text.h"

namespace tavlin {

namespace {

// The value of a switch with "=": the text after it, one pair of quotes removed.
std::string SwitchValue(const std::string& parameter, std::size_t nameLength) {
    std::string value = parameter.substr(nameLength);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

SetupCommandLine ParseSetupCommandLine(const std::vector<std::string>& parameters) {
    SetupCommandLine result;
    SetupOptions& o = result.Options;
    std::size_t i = 0;
    for (; i < parameters.size(); ++i) {
        const std::string& p = parameters[i];
        const std::string upper = UpperCaseAscii(p);
        if (upper == "/SILENT") {
            o.Silent = true;
        } else if (upper == "/VERYSILENT") {
            o.VerySilent = true;
        } else if (upper == "/NORESTART") {
            o.NoRestart = true;
        } else if (upper == "/SUPPRESSMSGBOXES") {
            o.SuppressMsgBoxes = true;
        } else if (StartsWith(upper, "/DIR=")) {
            o.Dir = SwitchValue(p, 5);
        } else if (StartsWith(upper, "/LOG=")) {
            o.Log = SwitchValue(p, 5);
        } else {
            break;
        }
    }
    result.Parameters.assign(parameters.begin() + static_cast<std::ptrdiff_t>(i), parameters.end());
    return result;
}

std::string JoinParameters(const std::vector<std::string>& parameters) {
    std::string joined;
    for (const std::string& p : parameters) {
        if (!joined.empty() || &p != &parameters.front()) joined += ' ';
        joined += p;
    }
    return joined;
}

}  // namespace tavlin
