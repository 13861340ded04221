// The installation run: copies the product's files from the expansion folder to
// their targets, writes the uninstall log, adds the start-up file blocks, creates
// the shortcuts, applies the INI and registry settings, registers the uninstall
// entry and selects the Finished page.
#pragma once

#include <string>

#include "install/install_context.h"
#include "platform/errors.h"

namespace tavlin {

// A file that could not be installed, and the user (or a silent run) chose Abort.
class EInstallationAborted : public Exception {
public:
    using Exception::Exception;
};

// Raises what ends a run: EIniFileException for the log, ERegistryException for a
// registry key or value, the shell-link object's error, and EInstallationAborted.
// A file that cannot be copied is asked about: Retry, Ignore or Abort.
void RunInstallation(InstallContext& context);

// True when target stands again in InstallTargets after index, unless its file name
// is that of a launch application.
bool IsRepeatedTarget(const SetupState& state, std::size_t index, const std::string& target);

}  // namespace tavlin
