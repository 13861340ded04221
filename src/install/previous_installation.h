// Finding an earlier installation of the product through its uninstall entry and
// running its own uninstaller before the new installation.
#pragma once

#include <string>

#include "install/install_context.h"

namespace tavlin {

class EngineUi;
class Platform;
struct SetupState;

// Main_Dir is the default installation folder at the time of the call.
// recordNote hears why the old uninstaller could not be started, if it could not.
void CheckPreviousInstallation(Platform& platform, EngineUi& ui, SetupState& state, const std::string& Main_Dir,
                               const ChangeRecorder& recordNote = {});

}  // namespace tavlin
