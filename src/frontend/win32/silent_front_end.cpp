#include "frontend/win32/silent_front_end.h"

#include "frontend/win32/form_windows.h"
#include "setup/display_screen.h"

namespace tavlin {

Win32SilentFrontEnd::Win32SilentFrontEnd() : forms_(std::make_unique<FormWindows>(0, false)) {}

Win32SilentFrontEnd::~Win32SilentFrontEnd() {
    if (application_) application_->SetObserver(nullptr);
}

void Win32SilentFrontEnd::Attach(TDisplayScreen& screen) {
    application_ = &screen.Application;
    screen.Application.SetObserver(this);
    wizard_.Attach(screen);
}

void Win32SilentFrontEnd::FormDestroyed(TForm& form) { forms_->Forget(form); }

bool Win32SilentFrontEnd::NextAction(TDisplayScreen& screen) {
    Update(screen);
    return wizard_.NextAction(screen);
}

void Win32SilentFrontEnd::Update(TDisplayScreen& screen) {
    forms_->CarryInput(screen.Application);
    forms_->Sync(screen.Application, &screen);
    wizard_.Update(screen);
}

}  // namespace tavlin
