// Reading the setup configuration install.cfg: the screen's texts and looks, the
// default installation folder, the wizard's options and the lists of settings.
#pragma once

#include <string>

#include "config/config_keys.h"
#include "config/install_config.h"
#include "platform/errors.h"

namespace tavlin {

class TDisplayScreen;

// A list position that does not exist: "List index out of bounds (%d)".
class EListError : public Exception {
public:
    using Exception::Exception;
};

// Reads folder + "install.cfg" (folder ends with "\") into the state and the
// screen, loads folder + "finstall.cfg" and builds the installation lists. Raises
// EListError when [Launch Applications Location] has fewer entries than
// [Launch Applications].
void ReadSetupConfig(TDisplayScreen& screen, const std::string& folder);

// The applying half of ReadSetupConfig: the value of folder's install.cfg into
// the state and the screen, then the file list, the installation lists, the
// pictures, the welcome text and the screen's layout.
void ApplySetupConfig(TDisplayScreen& screen, const InstallConfig& config, const std::string& folder);

}  // namespace tavlin
