#include "controls/form.h"

namespace tavlin {

TForm::TForm(TApplication& application, std::string name) : TWinControl(std::move(name)), Application(application) {
    Application.AddForm(*this);
    Visible = false;
}

TForm::~TForm() { Application.RemoveForm(*this); }

void TForm::ForgetControl(const TControl& control) {
    if (focused_ == &control) focused_ = nullptr;
}

void TForm::Show() {
    Visible = true;
    if (OnShow) OnShow();
}

void TForm::ShowModal() {
    modal_ = true;
    Show();
    while (Visible && !released_) {
        if (!Application.HandleMessage()) break;  // nothing left that could close it
    }
    modal_ = false;
}

void TForm::Close() {
    if (closing_) return;
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(canClose);
    if (!canClose) return;
    closing_ = true;
    TCloseAction action = TCloseAction::caHide;
    if (OnClose) OnClose(action);
    if (action == TCloseAction::caMinimize) {
        WindowState = TWindowState::wsMinimized;
    } else if (action != TCloseAction::caNone) {
        Visible = false;
        if (action == TCloseAction::caFree) released_ = true;
    }
    closing_ = false;
}

void TForm::Resize(int width, int height) {
    Width = width;
    Height = height;
    Realign();
    if (OnResize) OnResize();
}

void TForm::Destroy() {
    if (destroyed_) return;
    destroyed_ = true;
    if (OnDestroy) OnDestroy();
}

}  // namespace tavlin
