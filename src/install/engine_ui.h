// What the installation and uninstall engines need from the screen they run
// under: message boxes, letting messages run, and the progress window. The
// engines know nothing of controls; the setup program serves this interface
// from its forms, and a test can serve it from anything.
#pragma once

#include <string>

#include "platform/dialogs.h"

namespace tavlin {

// The animation a progress window plays while a run goes on.
enum class ProgressAnimation { CopyFiles, DeleteFile };

class EngineUi {
public:
    virtual ~EngineUi() = default;

    // A modal message box captioned with the setup's title; safeDefault is the
    // answer when boxes are suppressed.
    virtual MessageResult MessageBox(const std::string& text, MessageButtons buttons = MessageButtons::Ok,
                                     MessageKind kind = MessageKind::Information,
                                     MessageResult safeDefault = MessageResult::Ok) = 0;
    // Lets pending messages run, so that the screen stays alive during long steps.
    virtual void ProcessMessages() = 0;
    // Opens a progress window centred on the screen, counting up to maxProgress.
    virtual void StartProgress(int maxProgress, ProgressAnimation animation) = 0;
    // Moves the open progress window (if the user has not closed it) to position
    // with two status lines; reaching the maximum closes it.
    virtual void UpdateProgress(int position, const std::string& status1, const std::string& status2) = 0;
};

}  // namespace tavlin
