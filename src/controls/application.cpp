#include "controls/application.h"

#include <algorithm>

#include "controls/form.h"
#include "platform/platform.h"

namespace tavlin {

TPoint TApplication::MeasureText(const TFont& font, std::string_view text) const {
    return measurer_ ? measurer_->Measure(font, text) : tavlin::MeasureText(font, text);
}

void TApplication::ProcessMessages() {
    platform_.system().processMessages();
    if (OnProcessMessages) OnProcessMessages();
}

MessageResult TApplication::MessageBox(const std::string& text, MessageButtons buttons, MessageKind kind,
                                       MessageResult safeDefault) {
    if (SuppressMessageBoxes) {
        if (OnSuppressedMessage) OnSuppressedMessage(text, safeDefault);
        if (OnMessageAnswered) OnMessageAnswered(text, safeDefault, true);
        return safeDefault;
    }
    const MessageResult answer = platform_.dialogs().messageBox(text, Title, buttons, kind, safeDefault);
    if (OnMessageAnswered) OnMessageAnswered(text, answer, false);
    return answer;
}

void TApplication::ShowException(const std::exception& error) {
    MessageBox(error.what(), MessageButtons::Ok, MessageKind::Error, MessageResult::Ok);
}

bool TApplication::Dispatch(const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const std::exception& error) {
        ShowException(error);
        return false;
    }
}

void TApplication::NotifyChanged(TControl& control) {
    if (observer_) observer_->ControlChanged(control);
}

void TApplication::NotifyDestroyed(TControl& control) {
    for (TForm* form : forms_) form->ForgetControl(control);
    if (observer_) observer_->ControlDestroyed(control);
}

void TApplication::AddForm(TForm& form) {
    forms_.push_back(&form);
    if (observer_) observer_->FormCreated(form);
}

void TApplication::RemoveForm(TForm& form) {
    if (observer_) observer_->FormDestroyed(form);
    std::erase(forms_, &form);
}

void TApplication::AddTimer(TTimer* timer) { timers_.push_back(timer); }

void TApplication::RemoveTimer(TTimer* timer) {
    timers_.erase(std::remove(timers_.begin(), timers_.end(), timer), timers_.end());
}

std::int64_t TApplication::Now() const {
    // Differences of the 32-bit count stay right across its wrap.
    if (ticks_) return now_ + static_cast<std::uint32_t>(ticks_->milliseconds() - ticksStart_);
    return now_;
}

void TApplication::UseRealTime(Ticks& ticks) {
    now_ = Now();
    ticks_ = &ticks;
    ticksStart_ = ticks.milliseconds();
}

TTimer* TApplication::FirstDue() const {
    TTimer* next = nullptr;
    for (TTimer* timer : timers_) {
        if (timer->enabled_ && (!next || timer->dueAt_ < next->dueAt_)) next = timer;
    }
    return next;
}

std::optional<std::int64_t> TApplication::NextTimerDue() const {
    const TTimer* next = FirstDue();
    if (!next) return std::nullopt;
    return next->dueAt_;
}

void TApplication::Fire(TTimer& timer) {
    timer.dueAt_ = Now() + timer.Interval;
    if (timer.OnTimer) Dispatch(timer.OnTimer);
}

bool TApplication::FireNextTimer() {
    TTimer* next = FirstDue();
    if (!next) return false;
    if (!ticks_) now_ = std::max(now_, next->dueAt_);
    Fire(*next);
    return true;
}

bool TApplication::FireDueTimer() {
    TTimer* next = FirstDue();
    if (!next || next->dueAt_ > Now()) return false;
    Fire(*next);
    return true;
}

bool TApplication::HandleMessage() {
    if (ticks_ ? FireDueTimer() : FireNextTimer()) return true;
    bool handled = false;
    if (OnIdle) Dispatch([&] { handled = OnIdle(); });
    return handled;
}

TTimer::TTimer(TApplication& application, std::string name) : Name(std::move(name)), application_(application) {
    application_.AddTimer(this);
}

TTimer::~TTimer() { application_.RemoveTimer(this); }

void TTimer::SetEnabled(bool enabled) {
    if (enabled && !enabled_) dueAt_ = application_.Now() + Interval;
    enabled_ = enabled;
}

}  // namespace tavlin
