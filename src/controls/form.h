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

class TForm : public TWinControl {
public:
    TForm(TApplication& application, std::string name);

    TApplication& Application;
    TWindowState WindowState = TWindowState::wsNormal;

    std::function<void()> OnShow;
    std::function<void(bool& canClose)> OnCloseQuery;
    std::function<void(TCloseAction& action)> OnClose;
    std::function<void()> OnResize;

    // Makes the form visible and raises OnShow.
    void Show();
    // Shows the form and lets timers and the front end run until it closes.
    void ShowModal();
    // Asks OnCloseQuery, raises OnClose and hides the form; with caFree the form is
    // also marked released, for its owner to destroy.
    void Close();
    // Resizes the form and raises OnResize.
    void Resize(int width, int height);

    bool Modal() const { return modal_; }
    bool Released() const { return released_; }

private:
    bool modal_ = false;
    bool closing_ = false;
    bool released_ = false;
};

}  // namespace tavlin
