// The application object: its title, the message pump, minimising, message boxes
// captioned with the title, its open forms with the observer that hears of their
// changes, and the one-shot timers of the forms, which it fires in order of their
// due time on a clock of its own: virtual (a timer fires as soon as the loop asks,
// the clock jumping to its due time) unless a front end that waits real time gives
// it the platform's ticks.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "controls/text_metrics.h"
#include "platform/dialogs.h"
#include "platform/ticks.h"

namespace tavlin {

class Platform;
class TControl;
class TForm;
class TTimer;

// A front end's ear on the model: which control changed (it needs a repaint),
// which forms open, and which controls and forms go away. Destruction notices come
// while the control still exists, before its peer is freed.
class TScreenObserver {
public:
    virtual ~TScreenObserver() = default;
    virtual void ControlChanged(TControl& control) = 0;
    virtual void ControlDestroyed(TControl& control) = 0;
    virtual void FormCreated(TForm& form) = 0;
    virtual void FormDestroyed(TForm& form) = 0;
};

class TApplication {
public:
    explicit TApplication(Platform& platform) : platform_(platform) {}
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    std::string Title;
    bool Minimized = false;
    // The screen the forms are placed on; the program sets them from the
    // platform's screen before it makes its forms.
    int ScreenWidth = 1024;
    int ScreenHeight = 768;
    int ScreenDpi = kDesignedDpi;
    // The pixels per inch the forms are designed at, and a designed size on this
    // screen: the same at that density, larger in proportion on a denser screen.
    static constexpr int kDesignedDpi = 96;
    int Scaled(int designed) const { return ScaledBy(designed, ScreenDpi, kDesignedDpi); }

    // How text is measured for labels that size themselves; nullptr goes back to
    // the fixed proportions.
    void SetTextMeasurer(std::unique_ptr<TTextMeasurer> measurer) { measurer_ = std::move(measurer); }
    TPoint MeasureText(const TFont& font, std::string_view text) const;

    Platform& platform() { return platform_; }

    // The forms that exist, in the order they were made.
    const std::vector<TForm*>& Forms() const { return forms_; }
    // One observer at a time; nullptr removes it. It must outlive its registration.
    void SetObserver(TScreenObserver* observer) { observer_ = observer; }
    TScreenObserver* Observer() const { return observer_; }
    // Called by the model itself.
    void NotifyChanged(TControl& control);
    void NotifyDestroyed(TControl& control);
    void AddForm(TForm& form);
    void RemoveForm(TForm& form);

    // Lets pending messages run: the platform's pump, then the front end's hook.
    void ProcessMessages();
    // Called by ProcessMessages, so that a front end can repaint the model.
    std::function<void()> OnProcessMessages;

    void Minimize() { Minimized = true; }
    void Restore() { Minimized = false; }

    // When set, message boxes are not shown: each gives its safe default at once
    // (silent runs), and OnSuppressedMessage hears of it.
    bool SuppressMessageBoxes = false;
    std::function<void(const std::string& text, MessageResult answer)> OnSuppressedMessage;
    // Hears of every message box once it has its answer, shown or suppressed.
    std::function<void(const std::string& text, MessageResult answer, bool suppressed)> OnMessageAnswered;

    // A modal message box captioned with the title.
    MessageResult MessageBox(const std::string& text, MessageButtons buttons = MessageButtons::Ok,
                             MessageKind kind = MessageKind::Information,
                             MessageResult safeDefault = MessageResult::Ok);
    // The standard error box for an exception that ended an operation.
    void ShowException(const std::exception& error);
    // Runs an event handler the way the message loop does: an error that escapes it
    // is shown in the standard error box and does not end the program. False when
    // the handler raised.
    bool Dispatch(const std::function<void()>& handler);

    // Asks the front end to redraw what changed.
    void Repaint() {
        if (OnRepaint) OnRepaint();
    }
    std::function<void()> OnRepaint;

    // Timers register themselves while they exist.
    void AddTimer(TTimer* timer);
    void RemoveTimer(TTimer* timer);
    // Milliseconds on the application's clock.
    std::int64_t Now() const;
    // From now on the clock is real time: the ticks' milliseconds, going on from
    // the clock's present value. A timer then fires only once it is due, and the
    // idle hook waits (at most until NextTimerDue) for the user meanwhile.
    void UseRealTime(Ticks& ticks);
    bool RealTime() const { return ticks_ != nullptr; }
    // When the enabled timer that is due first fires; nothing when none is enabled.
    std::optional<std::int64_t> NextTimerDue() const;
    // Fires the enabled timer that is due first, moving the virtual clock to its
    // due time. False when no timer is enabled.
    bool FireNextTimer();
    // Fires the enabled timer that is due first if its time has come. False when
    // none is due.
    bool FireDueTimer();
    // One step of a message loop: the next due timer, or else the front end's idle
    // hook (which waits for the user's next action). False when neither had anything.
    // Errors that escape a handler are shown (Dispatch).
    bool HandleMessage();
    // Returns false when no further input will come.
    std::function<bool()> OnIdle;

private:
    Platform& platform_;
    TScreenObserver* observer_ = nullptr;
    std::unique_ptr<TTextMeasurer> measurer_;
    std::vector<TForm*> forms_;
    std::vector<TTimer*> timers_;
    TTimer* FirstDue() const;
    void Fire(TTimer& timer);
    std::int64_t now_ = 0;
    // Real time: the ticks, and their count when the clock stood at now_.
    Ticks* ticks_ = nullptr;
    std::uint32_t ticksStart_ = 0;
};

// A timer that raises OnTimer every Interval milliseconds while enabled; the
// setup's timers disable themselves in their first tick.
class TTimer {
public:
    TTimer(TApplication& application, std::string name);
    ~TTimer();
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    std::string Name;
    int Interval = 1000;
    std::function<void()> OnTimer;

    bool Enabled() const { return enabled_; }
    // Enabling starts a new interval from the application's current time.
    void SetEnabled(bool enabled);
    std::int64_t DueAt() const { return dueAt_; }

private:
    friend class TApplication;
    TApplication& application_;
    bool enabled_ = false;
    std::int64_t dueAt_ = 0;
};

}  // namespace tavlin
