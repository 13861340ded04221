// Forms: top-level windows with the life-cycle events the setup's handlers hang on
// (create, show, close query, close, destroy, resize) and a modal mode.
#pragma once

#include <functional>
#include <string>

#include "controls/application.h"
#include "controls/control.h"

namespace tavlin {

enum class TCloseAction { caNone, caHide, caFree, caMinimize };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

// A key the user pressed, with the shift keys held. Character keys carry the
// character; Alt with a letter is an accelerator.
struct TKeyPress {
    enum class Key { Character, Tab, Enter, Escape, Space, Backspace } key = Key::Character;
    char character = 0;
    bool shift = false;
    bool alt = false;
};

class TForm : public TWinControl {
public:
    TForm(TApplication& application, std::string name);
    ~TForm() override;

    TApplication& Application;
    TProperty<TWindowState> WindowState{this, TWindowState::wsNormal};

    TApplication* HostApplication() const override { return &Application; }

    // The control with the keyboard focus, or none.
    TControl* ActiveControl() const;
    // Gives the focus to a control of this form that can take it; false otherwise.
    bool SetFocus(TControl& control);
    // Moves the focus to the next (or previous) control in tab order, wrapping.
    bool FocusNext(bool backwards = false);
    // What a key does on this form: Alt+letter presses the control with that
    // accelerator, Tab and Shift+Tab move the focus, Enter clicks the focused
    // button or else the default button, Esc clicks the cancel button, Space
    // clicks the focused button or box, characters and Backspace edit the focused
    // edit (elsewhere a letter is an accelerator). False when the key did nothing.
    // Handlers run as the message loop runs them (errors are shown).
    bool KeyPress(const TKeyPress& key);
    // Called by the application when a control goes away.
    void ForgetControl(const TControl& control);

    std::function<void()> OnShow;
    std::function<void(bool& canClose)> OnCloseQuery;
    std::function<void(TCloseAction& action)> OnClose;
    std::function<void()> OnResize;
    std::function<void()> OnDestroy;

    // Makes the form visible and raises OnShow.
    void Show();
    // Shows the form and lets timers and the front end run until it closes.
    void ShowModal();
    // Asks OnCloseQuery, raises OnClose and hides the form; with caFree the form is
    // also marked released, for its owner to destroy.
    void Close();
    // Resizes the form and raises OnResize.
    void Resize(int width, int height);
    // The owner's last step before it frees the form: raises OnDestroy once.
    void Destroy();
    void BringToFront() { ++frontCount_; }
    // Redraws the form now.
    void Refresh() { Application.Repaint(); }
    int FrontCount() const { return frontCount_; }

    bool Modal() const { return modal_; }
    bool Released() const { return released_; }

private:
    bool modal_ = false;
    bool closing_ = false;
    bool released_ = false;
    bool destroyed_ = false;
    int frontCount_ = 0;
    TControl* focused_ = nullptr;
};

}  // namespace tavlin
