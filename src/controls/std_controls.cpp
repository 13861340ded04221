#include "controls/std_controls.h"

#include <algorithm>
#include <cctype>

#include "controls/application.h"
#include "controls/text_metrics.h"

namespace tavlin {

void TLabel::SetCaption(std::string caption) {
    Caption = std::move(caption);
    AdjustSize();
}

void TLabel::ChangeScale(int multiplier, int divisor) {
    TControl::ChangeScale(multiplier, divisor);
    AdjustSize();
}

void TLabel::AdjustSize() {
    if (!AutoSize) return;
    const std::string text = StripAccelerator(Caption);
    const TApplication* application = HostApplication();
    const TPoint size = application ? application->MeasureText(Font, text) : MeasureText(Font, text);
    Height = size.y;
    // An aligned label keeps the width its edge gives it and takes its place again.
    if (Align == TAlign::alNone) {
        Width = size.x;
    } else if (Parent()) {
        Parent()->Realign();
    }
}

char AcceleratorOf(const std::string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i + 1])));
    }
    return 0;
}

std::string StripAccelerator(const std::string& caption) {
    std::string text;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        text += caption[i];
    }
    return text;
}

char TButton::Accelerator() const { return AcceleratorOf(Caption); }

void TEdit::UserType(const std::string& text) {
    if (ReadOnly || text == Text.get()) return;
    Text = text;
    if (OnChange) OnChange();
}

void TCheckBox::Click() {
    if (!Enabled) return;
    Checked = !Checked;
    TControl::Click();
}

void TRadioButton::SetChecked(bool checked) {
    if (checked_ != checked) {
        checked_ = checked;
        Invalidate();
    }
    if (!checked || !Parent()) return;
    for (TControl* sibling : Parent()->Controls()) {
        if (auto* radio = dynamic_cast<TRadioButton*>(sibling); radio && radio != this && radio->checked_) {
            radio->checked_ = false;
            radio->Invalidate();
        }
    }
}

void TRadioButton::Click() {
    if (!Enabled) return;
    SetChecked(true);
    TControl::Click();
}

void TProgressBar::SetRange(int min, int max) {
    Min = min;
    Max = max;
    SetPosition(position_);
}

void TProgressBar::SetPosition(int position) {
    const int clamped = std::clamp(position, Min.get(), std::max(Min.get(), Max.get()));
    if (clamped == position_) return;
    position_ = clamped;
    Invalidate();
}

}  // namespace tavlin
