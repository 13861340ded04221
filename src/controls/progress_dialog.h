// The progress dialog of long runs: a small modeless window with an animation, two
// status lines, a bar and a Cancel button. The window closes by itself when the
// position reaches the maximum; Cancel closes only the window, and the run that
// feeds the dialog goes on while its further updates are dropped.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/form.h"
#include "controls/std_controls.h"

namespace tavlin {

// The progress window's client area.
inline constexpr int kProgressClientWidth = 450;
inline constexpr int kProgressClientHeight = 152;

// The progress window: client area 450 x 152 at the designed density, larger in
// proportion on a denser screen.
class TForm_Progress : public TForm {
public:
    explicit TForm_Progress(TApplication& application);

    int ClientWidth = kProgressClientWidth;
    int ClientHeight = kProgressClientHeight;

    TAnimate Animate_SelectedAvi{"Animate_SelectedAvi"};
    TLabel Label_ProcessStatus1{"Label_ProcessStatus1"};
    TLabel Label_ProcessStatus2{"Label_ProcessStatus2"};
    TProgressBar ProgressBar_StatusIndicator{"ProgressBar_StatusIndicator"};
    TButton Bitbtn_Cancel{"Bitbtn_Cancel"};
};

class TProgressDialog {
public:
    explicit TProgressDialog(TApplication& application);
    ~TProgressDialog();
    TProgressDialog(const TProgressDialog&) = delete;
    TProgressDialog& operator=(const TProgressDialog&) = delete;

    // These only store their value; a window already open does not change.
    std::string Caption;
    TCommonAVI CommonAvi = aviCopyFile;
    std::string Status1;
    std::string Status2;
    int MaxProgress = 0;
    int MinProgress = 0;
    int Left = 0;
    int Top = 0;
    bool Center = false;

    // True while a progress window is open.
    bool Active() const { return window_ != nullptr; }
    // Opens a new window and shows it without waiting.
    void Show();
    // Lets pending messages run, then updates the open window and closes it once
    // its position has reached the maximum. Without a window it does nothing more.
    void UpdateProgress(int position, const std::string& status1, const std::string& status2);
    // The open window, or nothing.
    TForm_Progress* Window() const { return window_; }

private:
    void WindowClosed(TForm_Progress* window);

    TApplication& application_;
    std::vector<std::unique_ptr<TForm_Progress>> windows_;
    TForm_Progress* window_ = nullptr;
};

}  // namespace tavlin
