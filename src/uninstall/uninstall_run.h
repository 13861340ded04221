// The uninstall run: removes what the uninstall log lists, the start-up file
// blocks, the logged folders and registry keys, the uninstall entry and the
// installation folder, then closes the setup screen.
#pragma once

#include <functional>
#include <string>

#include "install/install_context.h"

namespace tavlin {

class TDelTree;

struct UninstallContext {
    Platform& platform;
    EngineUi& ui;  // message boxes, message pump, progress window
    SetupState& state;
    int& ProgressCount;
    const std::string& UninstallFolder;  // folder of uninstaller.cfg, ending with "\"
    const std::string& UninstallName;    // the product's uninstall entry name
    std::string Title;                   // the setup title (text line 1)
    // Shows a text in the screen's second text line.
    std::function<void(const std::string& text)> SetSecondTextLine;
    TDelTree& DelTree1;
    // Closes the setup screen.
    std::function<void()> CloseForm;
    ChangeRecorder RecordChange;
};

void RunUninstall(UninstallContext& context);

}  // namespace tavlin
