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
    // Hears of what the run passes over without changing anything (a refused log
    // entry and why), for the /LOG record.
    ChangeRecorder RecordNote = {};
};

void RunUninstall(UninstallContext& context);

// True when the self-removal batch file deletes the product's uninstall entry
// once the running program is gone: on Windows NT, whose command interpreter has
// reg, for a name that it can quote. Otherwise the run deletes the entry itself.
bool BatchDeletesUninstallEntry(Platform& platform, const std::string& entryName);

}  // namespace tavlin
