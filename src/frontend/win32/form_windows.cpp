#include "frontend/win32/form_windows.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "controls/progress_dialog.h"
#include "platform/win32/win32_form_window.h"
#include "platform/win32/win32_progress_window.h"

namespace tavlin {

namespace {

win32::SurfaceRect RectOf(const TControl& control) {
    return {control.Left, control.Top, control.Left + control.Width, control.Top + control.Height};
}

// The designed client area and controls of the model's window.
win32::ProgressWindowLayout LayoutOf(const TForm_Progress& form) {
    win32::ProgressWindowLayout layout;
    layout.clientWidth = form.ClientWidth;
    layout.clientHeight = form.ClientHeight;
    layout.animation = RectOf(form.Animate_SelectedAvi);
    layout.status1 = RectOf(form.Label_ProcessStatus1);
    layout.status2 = RectOf(form.Label_ProcessStatus2);
    layout.bar = RectOf(form.ProgressBar_StatusIndicator);
    layout.cancel = RectOf(form.Bitbtn_Cancel);
    layout.font.name = form.Font.Name;
    layout.font.height = form.Font.Height;
    layout.cancelCaption = form.Bitbtn_Cancel.Caption;
    return layout;
}

// Sets a shown value when the model's differs from it.
template <typename T, typename Apply>
void Follow(std::optional<T>& shown, const T& value, Apply apply) {
    if (shown && *shown == value) return;
    apply(value);
    shown = value;
}

}  // namespace

struct FormWindows::ProgressPeer {
    ProgressPeer(std::uintptr_t owner, const TForm_Progress& form)
        : window(owner, LayoutOf(form), form.Left, form.Top) {}

    void Follow(const TForm_Progress& form) {
        tavlin::Follow(caption, std::string(form.Caption), [&](const std::string& text) { window.setCaption(text); });
        tavlin::Follow(place, std::pair<int, int>(form.Left, form.Top),
                       [&](const std::pair<int, int>& at) { window.moveTo(at.first, at.second); });
        tavlin::Follow(status1, std::string(form.Label_ProcessStatus1.Caption),
                       [&](const std::string& text) { window.setStatus(1, text); });
        tavlin::Follow(status2, std::string(form.Label_ProcessStatus2.Caption),
                       [&](const std::string& text) { window.setStatus(2, text); });
        const TProgressBar& bar = form.ProgressBar_StatusIndicator;
        tavlin::Follow(range, std::pair<int, int>(bar.Min, bar.Max),
                       [&](const std::pair<int, int>& r) { window.setRange(r.first, r.second); });
        tavlin::Follow(position, bar.Position(), [&](int at) { window.setPosition(at); });
        const TAnimate& animate = form.Animate_SelectedAvi;
        const int clip = animate.Active ? static_cast<int>(animate.CommonAVI.get()) : 0;
        tavlin::Follow(playing, clip, [&](int avi) {
            if (avi) {
                window.playAnimation(avi, animate.StopFrame);
            } else {
                window.stopAnimation();
            }
        });
        if (!shown) {
            window.show(true);
            shown = true;
        }
    }

    win32::ProgressWindow window;
    bool shown = false;
    std::optional<std::string> caption, status1, status2;
    std::optional<std::pair<int, int>> place, range;
    std::optional<int> position, playing;
};

struct FormWindows::PlainPeer {
    explicit PlainPeer(const TForm& form)
        : window(form.Caption, form.Left, form.Top, form.Width, form.Height,
                 form.WindowState == TWindowState::wsMinimized) {}

    void Follow(const TForm& form) {
        tavlin::Follow(caption, std::string(form.Caption), [&](const std::string& text) { window.setCaption(text); });
        tavlin::Follow(minimized, form.WindowState == TWindowState::wsMinimized,
                       [&](bool iconic) { window.show(true, iconic); });
    }

    win32::FormWindow window;
    std::optional<std::string> caption;
    std::optional<bool> minimized;
};

FormWindows::FormWindows(std::uintptr_t owner, bool plainForms) : owner_(owner), plainForms_(plainForms) {}

FormWindows::~FormWindows() = default;

void FormWindows::Sync(TApplication& application, const TForm* screen) {
    std::vector<const TForm*> showing;
    for (TForm* form : application.Forms()) {
        if (form == screen || !form->Visible || form->Released()) continue;
        showing.push_back(form);
        if (const auto* progress = dynamic_cast<const TForm_Progress*>(form)) {
            auto& peer = progress_[form];
            if (!peer) peer = std::make_unique<ProgressPeer>(owner_, *progress);
            peer->Follow(*progress);
        } else if (plainForms_) {
            auto& peer = plain_[form];
            if (!peer) peer = std::make_unique<PlainPeer>(*form);
            peer->Follow(*form);
        }
    }
    const auto gone = [&showing](const auto& entry) {
        return std::find(showing.begin(), showing.end(), entry.first) == showing.end();
    };
    std::erase_if(progress_, gone);
    std::erase_if(plain_, gone);
}

void FormWindows::Forget(const TForm& form) {
    progress_.erase(&form);
    plain_.erase(&form);
}

bool FormWindows::CarryInput(TApplication& application) {
    // Taken first, since carrying a press may close windows.
    std::vector<std::pair<TForm_Progress*, win32::ProgressWindow::Request>> pressed;
    for (TForm* form : application.Forms()) {
        auto found = progress_.find(form);
        if (found == progress_.end()) continue;
        const auto request = found->second->window.takeRequest();
        if (request != win32::ProgressWindow::Request::None) {
            pressed.emplace_back(static_cast<TForm_Progress*>(form), request);
        }
    }
    for (const auto& [progress, request] : pressed) {
        TForm_Progress* window = progress;
        if (request == win32::ProgressWindow::Request::Cancel) {
            application.Dispatch([window] { window->Bitbtn_Cancel.Click(); });
        } else {
            application.Dispatch([window] { window->Close(); });
        }
    }
    return !pressed.empty();
}

}  // namespace tavlin
