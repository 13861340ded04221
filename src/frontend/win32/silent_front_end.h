// /SILENT on a real Windows screen: no wizard and no setup screen, only the
// progress windows of the expansion and the installation (or uninstallation), as
// windows of their own; the run answers the wizard as the silent front end does.
// Cancel on a progress window closes that window, as it always does.
#pragma once

#include <memory>

#include "controls/application.h"
#include "setup/silent_wizard.h"

namespace tavlin {

class FormWindows;

class Win32SilentFrontEnd : public SetupFrontEnd, private TScreenObserver {
public:
    Win32SilentFrontEnd();
    ~Win32SilentFrontEnd() override;

    void Attach(TDisplayScreen& screen) override;
    bool NextAction(TDisplayScreen& screen) override;
    void Update(TDisplayScreen& screen) override;

private:
    void ControlChanged(TControl&) override {}
    void ControlDestroyed(TControl&) override {}
    void FormCreated(TForm&) override {}
    void FormDestroyed(TForm& form) override;

    SilentWizard wizard_{nullptr};
    TApplication* application_ = nullptr;
    std::unique_ptr<FormWindows> forms_;
};

}  // namespace tavlin
