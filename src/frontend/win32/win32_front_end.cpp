#include "frontend/win32/win32_front_end.h"

#include "controls/folder_edit.h"
#include "controls/list_view.h"
#include "controls/progress_dialog.h"
#include "controls/std_controls.h"
#include "frontend/win32/control_peers.h"
#include "frontend/win32/form_windows.h"
#include "frontend/win32/gdi_canvas.h"
#include "frontend/win32/pointer_input.h"
#include "paint/screen_paint.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_screen_window.h"
#include "setup/display_screen.h"

namespace tavlin {

namespace {

bool ScreenShows(const TDisplayScreen& screen) {
    return screen.Visible && screen.WindowState != TWindowState::wsMinimized;
}

TKeyPress KeyOf(const win32::WindowInput& input) {
    TKeyPress key;
    key.shift = input.shift;
    key.alt = input.alt;
    switch (input.character) {
        case '\t': key.key = TKeyPress::Key::Tab; break;
        case '\r': key.key = TKeyPress::Key::Enter; break;
        case '\x1b': key.key = TKeyPress::Key::Escape; break;
        case '\b': key.key = TKeyPress::Key::Backspace; break;
        case ' ': key.key = input.alt ? TKeyPress::Key::Character : TKeyPress::Key::Space; break;
        default: key.key = TKeyPress::Key::Character; break;
    }
    key.character = input.character;
    return key;
}

// Enter presses Next, or Accept on the licence page.
const TControl* DefaultButton(const TDisplayScreen& screen) {
    return screen.Next1.Showing() ? &screen.Next1 : screen.Accept.Showing() ? &screen.Accept : nullptr;
}

}  // namespace

Win32FrontEnd::Win32FrontEnd(win32::Win32Platform& platform) : platform_(platform) {}

Win32FrontEnd::~Win32FrontEnd() {
    if (application_) application_->SetObserver(nullptr);
    peers_.reset();
    platform_.setMainWindow(0);
}

void Win32FrontEnd::Attach(TDisplayScreen& screen) {
    application_ = &screen.Application;
    window_ = std::make_unique<win32::ScreenWindow>(screen.Application.Title);
    // The model is laid out for the platform's screen, the monitor the window covers.
    title_ = screen.Application.Title;
    forms_ = std::make_unique<FormWindows>(window_->handle(), true);
    platform_.setMainWindow(window_->handle());
    peers_ = std::make_unique<ControlPeers>(*window_, screen, screen.Wizard);
    area_ = std::make_unique<RepaintArea>(screen);
    screen.Application.SetObserver(this);
}

void Win32FrontEnd::ControlChanged(TControl& control) {
    dirty_ = true;
    peers_->Changed(control);
    area_->Changed(control);
}
void Win32FrontEnd::ControlDestroyed(TControl& control) {
    dirty_ = true;
    area_->Destroyed(control);
}
void Win32FrontEnd::FormCreated(TForm&) {
    dirty_ = true;
    area_->Everything();
}
void Win32FrontEnd::FormDestroyed(TForm& form) {
    if (forms_) forms_->Forget(form);
    dirty_ = true;
    area_->Everything();
}

void Win32FrontEnd::Paint(TDisplayScreen& screen) {
    if (screen.Application.Title != title_) {
        title_ = screen.Application.Title;
        window_->setTitle(title_);
    }
    forms_->Sync(screen.Application, &screen);
    // A minimised owner would hide the progress windows it owns.
    const bool visible = screen.Visible;
    const bool minimized = !forms_->ProgressShowing() && (screen.WindowState == TWindowState::wsMinimized ||
                                                         screen.Application.Minimized);
    if (visible != shown_ || minimized != minimized_) {
        window_->show(visible, minimized);
        shown_ = visible;
        minimized_ = minimized;
    }
    // The system's controls show while the screen does; the progress windows
    // are windows of their own above them.
    if (visible) peers_->Update(ScreenShows(screen), DefaultButton(screen));
    if (!dirty_ || !visible) return;
    GdiCanvas canvas(*window_);
    PaintContext context{canvas};
    context.defaultButton = DefaultButton(screen);
    // Only what changed on the screen form is painted again.
    TRect area = area_->Take();
    area = {area.left + screen.Left, area.top + screen.Top, area.right + screen.Left, area.bottom + screen.Top};
    const bool whole = !ScreenShows(screen) ||
                       area == TRect{screen.Left, screen.Top, screen.Left + screen.Width, screen.Top + screen.Height};
    const bool nothing = !whole && (area.Width() <= 0 || area.Height() <= 0);
    if (!whole) canvas.PushClip(area);
    if (nothing) {
        // Only the same values again, or controls the painted screen does not show.
    } else if (ScreenShows(screen)) {
        PaintScreenForm(context, screen);
    } else {
        canvas.FillRect({0, 0, canvas.Width(), canvas.Height()}, 0x808000);
    }
    if (whole) {
        window_->present();
    } else {
        canvas.PopClip();
        if (!nothing) window_->present({area.left, area.top, area.right, area.bottom});
    }
    area_->Painted();
    dirty_ = false;
    ValidateTree(screen);
}

bool Win32FrontEnd::Carry(TDisplayScreen& screen, const win32::WindowInput& input) {
    auto& app = screen.Application;
    if (input.kind == win32::WindowInput::Kind::Close) return app.Dispatch([&] { screen.Close(); });
    if (input.kind == win32::WindowInput::Kind::Child) return peers_->Carry(input);
    if (input.kind == win32::WindowInput::Kind::Character) {
        bool done = false;
        app.Dispatch([&] { done = screen.KeyPress(KeyOf(input)); });
        return done;
    }
    if (!ScreenShows(screen)) return false;
    const TPoint at{input.x, input.y};
    GdiCanvas canvas(*window_);
    const HitResult hit = HitTest(screen, {0, 0}, at);
    return hit.control && ClickAt(screen, hit, at, canvas);
}

bool Win32FrontEnd::NextAction(TDisplayScreen& screen) {
    Paint(screen);
    win32::WindowInput input;
    while (window_->waitInput(input)) {
        if (Carry(screen, input)) return true;
        Paint(screen);
    }
    return false;
}

void Win32FrontEnd::Update(TDisplayScreen& screen) {
    // While a run lets messages run, its progress window answers (Cancel, the
    // close box); what the user did to the screen behind it is dropped, since the
    // wizard takes no input during a run.
    forms_->CarryInput(screen.Application);
    if (forms_->ProgressShowing()) {
        win32::WindowInput input;
        while (window_->takeInput(input)) {
        }
    }
    Paint(screen);
}

}  // namespace tavlin
