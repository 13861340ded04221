// What the installation run needs from the wizard and the setup screen, handed in
// by the caller as plain values and a small interface, so that the engine runs
// with or without a form.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include <vector>

#include "install/engine_ui.h"
#include "install/setup_state.h"

namespace tavlin {

class Platform;
class TShortcuts;

// A plain-text record of the changes a run makes (opt-in); empty means no record.
using ChangeRecorder = std::function<void(const std::string& change)>;

struct InstallContext {
    Platform& platform;
    EngineUi& ui;  // message boxes, message pump, progress window
    SetupState& state;
    int& ProgressCount;
    // The wizard's choices, as plain values.
    std::string& Main_Dir;  // the installation folder as typed; gains a trailing "\"
    std::string Title;      // the setup title (text line 1)
    bool FolderStartMenu;   // "Add Folder to Start Menu"
    bool FolderDesktop;     // "Add Folder to Desktop"
    // The check marks of the shortcut rows: row 3k (Start menu), 3k + 1 (desktop)
    // and 3k + 2 (Quick Launch) of desktop item k; a missing row is unchecked.
    std::vector<bool> ShortcutRows;
    // Shows a stage caption in the status panel.
    std::function<void(const std::string& caption)> SetStageCaption;
    // Selects the Finished page once the run is done.
    std::function<void()> SelectFinishedPage;
    TShortcuts& DesktopProp;
    ChangeRecorder RecordChange;
};

}  // namespace tavlin
