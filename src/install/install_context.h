// What the installation run needs from the wizard and the setup screen, handed in
// by the caller so that the engine runs with or without a form.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "install/setup_state.h"

namespace tavlin {

class Platform;
class TApplication;
class TProgressDialog;
class TShortcuts;

// A plain-text record of the changes a run makes (opt-in); empty means no record.
using ChangeRecorder = std::function<void(const std::string& change)>;

struct InstallContext {
    Platform& platform;
    TApplication& application;  // message pump, title, message boxes
    SetupState& state;
    TProgressDialog& RunProgress;
    int& ProgressCount;
    std::string& Main_Dir;        // the installation folder as typed; gains a trailing "\"
    const std::string& Title;     // the setup title (text line 1)
    const bool& FolderStartMenu;  // "Add Folder to Start Menu"
    const bool& FolderDesktop;    // "Add Folder to Desktop"
    // The check mark of shortcut row 3k (Start menu), 3k + 1 (desktop) or 3k + 2
    // (Quick Launch) of desktop item k.
    std::function<bool(std::size_t row)> ShortcutRowChecked;
    // Shows a stage caption in the status panel.
    std::function<void(const std::string& caption)> SetStageCaption;
    // Selects the Finished page once the run is done.
    std::function<void()> SelectFinishedPage;
    TShortcuts& DesktopProp;
    ChangeRecorder RecordChange;
    // Hears of what the run meets without changing anything (a failure and its
    // cause), for the /LOG record.
    ChangeRecorder RecordNote = {};
};

}  // namespace tavlin
