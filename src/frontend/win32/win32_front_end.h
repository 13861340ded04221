// The setup on a real Windows screen: the full-screen form painted by the paint
// code into one window's back buffer, captioned with the application's title; the
// expansion form and the progress windows as windows of their own (form_windows);
// the user's clicks and keys carried into the model as a user gives them
// (clicks on buttons and boxes, rows ticked with UserSetChecked, keys through
// TForm::KeyPress, which types into the focused edit).
#pragma once

#include <memory>
#include <string>

#include "controls/application.h"
#include "paint/repaint_area.h"
#include "setup/setup_program.h"

namespace tavlin {

class ControlPeers;
class FormWindows;

namespace win32 {
class ScreenWindow;
class Win32Platform;
struct WindowInput;
}  // namespace win32

class Win32FrontEnd : public SetupFrontEnd, private TScreenObserver {
public:
    explicit Win32FrontEnd(win32::Win32Platform& platform);
    ~Win32FrontEnd() override;

    void Attach(TDisplayScreen& screen) override;
    bool NextAction(TDisplayScreen& screen) override;
    void Update(TDisplayScreen& screen) override;

private:
    void ControlChanged(TControl& control) override;
    void ControlDestroyed(TControl& control) override;
    void FormCreated(TForm& form) override;
    void FormDestroyed(TForm& form) override;

    void Paint(TDisplayScreen& screen);
    // Carries one input into the model; false when it reached nothing.
    bool Carry(TDisplayScreen& screen, const win32::WindowInput& input);

    win32::Win32Platform& platform_;
    TApplication* application_ = nullptr;
    std::unique_ptr<win32::ScreenWindow> window_;
    // The wizard panel's system controls; they go before the window they are in.
    std::unique_ptr<ControlPeers> peers_;
    std::unique_ptr<FormWindows> forms_;
    std::string title_;
    bool dirty_ = true;
    // What changed on the screen form since it was last painted.
    std::unique_ptr<RepaintArea> area_;
    bool shown_ = false;
    bool minimized_ = false;
};

}  // namespace tavlin
