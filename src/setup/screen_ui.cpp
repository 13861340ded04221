#include "setup/screen_ui.h"

#include "controls/application.h"
#include "controls/progress_dialog.h"

namespace tavlin {

MessageResult ScreenUi::MessageBox(const std::string& text, MessageButtons buttons, MessageKind kind,
                                   MessageResult safeDefault) {
    return application_.MessageBox(text, buttons, kind, safeDefault);
}

void ScreenUi::ProcessMessages() { application_.ProcessMessages(); }

void ScreenUi::StartProgress(int maxProgress, ProgressAnimation animation) {
    progress_.CommonAvi = animation == ProgressAnimation::DeleteFile ? aviDeleteFile : aviCopyFiles;
    progress_.Center = true;
    progress_.MaxProgress = maxProgress;
    progress_.Show();
}

void ScreenUi::UpdateProgress(int position, const std::string& status1, const std::string& status2) {
    progress_.UpdateProgress(position, status1, status2);
}

}  // namespace tavlin
