// The engines' interface served by the control model: message boxes through the
// application (captioned with its title, suppressed in silent runs), its message
// pump, and a progress dialog whose windows the front end shows.
#pragma once

#include "install/engine_ui.h"

namespace tavlin {

class TApplication;
class TProgressDialog;

class ScreenUi : public EngineUi {
public:
    ScreenUi(TApplication& application, TProgressDialog& progress) : application_(application), progress_(progress) {}

    MessageResult MessageBox(const std::string& text, MessageButtons buttons, MessageKind kind,
                             MessageResult safeDefault) override;
    void ProcessMessages() override;
    void StartProgress(int maxProgress, ProgressAnimation animation) override;
    void UpdateProgress(int position, const std::string& status1, const std::string& status2) override;

private:
    TApplication& application_;
    TProgressDialog& progress_;
};

}  // namespace tavlin
