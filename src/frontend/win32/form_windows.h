// The setup's small forms as windows of their own, beside the screen: each open
// progress window as a real dialog-style window above the screen, and any other
// form but the screen (the expansion form) as a plain top-level window with its
// caption, minimised when its model is. The windows follow the model when Sync
// runs; Cancel and the close box of a progress window come back into the model.
#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "controls/application.h"
#include "controls/form.h"

namespace tavlin {

class TForm_Progress;

class FormWindows {
public:
    // owner (an HWND, or 0) is the window that the progress windows stay above;
    // without plainForms only the progress windows show (unattended runs).
    FormWindows(std::uintptr_t owner, bool plainForms);
    ~FormWindows();
    FormWindows(const FormWindows&) = delete;
    FormWindows& operator=(const FormWindows&) = delete;

    // Opens the windows of the forms that show, brings what changed onto them and
    // closes those whose forms are hidden. The screen form is left out.
    void Sync(TApplication& application, const TForm* screen);
    // The form is going away: its window closes now.
    void Forget(const TForm& form);
    // Carries what the user pressed on the progress windows into the model; true
    // when anything was pressed.
    bool CarryInput(TApplication& application);
    // Whether a progress window is on screen.
    bool ProgressShowing() const { return !progress_.empty(); }

private:
    struct ProgressPeer;
    struct PlainPeer;

    std::uintptr_t owner_;
    bool plainForms_;
    std::map<const TForm*, std::unique_ptr<ProgressPeer>> progress_;
    std::map<const TForm*, std::unique_ptr<PlainPeer>> plain_;
};

}  // namespace tavlin
