#include "controls/progress_dialog.h"

#include <algorithm>

namespace tavlin {

namespace {
// The window's outer size around its 450 x 152 client area.
constexpr int kOuterWidth = 456;
constexpr int kOuterHeight = 180;
}  // namespace

TForm_Progress::TForm_Progress(TApplication& application) : TForm(application, "Form_Progress") {
    SetBounds(0, 0, kOuterWidth, kOuterHeight);
    Font.Name = "MS Sans Serif";
    Font.Height = -11;
    for (TControl* control : std::initializer_list<TControl*>{&Animate_SelectedAvi, &Label_ProcessStatus1,
                                                              &Label_ProcessStatus2, &ProgressBar_StatusIndicator,
                                                              &Bitbtn_Cancel}) {
        control->SetParent(this);
    }
    Animate_SelectedAvi.SetBounds(8, 8, 272, 60);
    Animate_SelectedAvi.StopFrame = 34;
    Label_ProcessStatus1.SetBounds(9, 80, 0, 16);
    Label_ProcessStatus2.SetBounds(9, 99, 0, 16);
    ProgressBar_StatusIndicator.SetBounds(8, 120, 345, 16);
    Bitbtn_Cancel.SetBounds(365, 120, 75, 25);
    Bitbtn_Cancel.Caption = "Cancel";
    Bitbtn_Cancel.OnClick = [this] { Close(); };
    // A denser screen gets the client area and what it holds larger in
    // proportion; the frame around it is the system's.
    if (application.ScreenDpi != TApplication::kDesignedDpi && application.ScreenDpi > 0) {
        for (TControl* control : Controls()) control->ChangeScale(application.ScreenDpi, TApplication::kDesignedDpi);
        Font.ChangeScale(application.ScreenDpi, TApplication::kDesignedDpi);
        ClientWidth = application.Scaled(kProgressClientWidth);
        ClientHeight = application.Scaled(kProgressClientHeight);
        SetBounds(0, 0, ClientWidth + kOuterWidth - kProgressClientWidth,
                  ClientHeight + kOuterHeight - kProgressClientHeight);
    }
}

TProgressDialog::TProgressDialog(TApplication& application) : application_(application) {}

TProgressDialog::~TProgressDialog() = default;

void TProgressDialog::Show() {
    // Windows closed earlier are gone by now; only open ones stay on screen.
    std::erase_if(windows_, [](const auto& window) { return window->Released(); });
    auto window = std::make_unique<TForm_Progress>(application_);
    TForm_Progress* raw = window.get();
    raw->Caption = Caption;
    raw->Left = Left;
    raw->Top = Top;
    if (Center) {
        raw->Left = application_.ScreenWidth / 2 - raw->Width / 2;
        raw->Top = application_.ScreenHeight / 2 - raw->Height / 2;
    }
    raw->Animate_SelectedAvi.CommonAVI = CommonAvi;
    raw->Animate_SelectedAvi.Active = true;
    raw->Label_ProcessStatus1.Caption = Status1;
    raw->Label_ProcessStatus2.Caption = Status2;
    raw->ProgressBar_StatusIndicator.Max = MaxProgress;
    raw->ProgressBar_StatusIndicator.SetRange(MinProgress, MaxProgress);
    raw->OnClose = [this, raw](TCloseAction& action) {
        action = TCloseAction::caFree;
        WindowClosed(raw);
    };
    windows_.push_back(std::move(window));
    window_ = raw;
    raw->Show();
}

void TProgressDialog::UpdateProgress(int position, const std::string& status1, const std::string& status2) {
    application_.ProcessMessages();
    if (!window_) return;
    TProgressBar& bar = window_->ProgressBar_StatusIndicator;
    bar.SetPosition(position);
    window_->Label_ProcessStatus1.Caption = status1;
    window_->Label_ProcessStatus2.Caption = status2;
    if (bar.Position() >= bar.Max) window_->Close();
}

void TProgressDialog::WindowClosed(TForm_Progress* window) {
    if (window_ == window) window_ = nullptr;
}

}  // namespace tavlin
