#include "controls/control.h"

#include <algorithm>

#include "controls/application.h"

namespace tavlin {

TFont::TFont(const TFont& other) : owner_(nullptr) { *this = other; }

TFont& TFont::operator=(const TFont& other) {
    Name = other.Name;
    Size = other.Size;
    Height = other.Height;
    PixelsPerInch = other.PixelsPerInch;
    Color = other.Color;
    Style = other.Style;
    return *this;
}

void TFont::SetSize(int points) {
    Size = points;
    Height = -(points * PixelsPerInch + 36) / 72;
}

void TFont::ChangeScale(int multiplier, int divisor) {
    Height = ScaledBy(Height, multiplier, divisor);
    PixelsPerInch = ScaledBy(PixelsPerInch, multiplier, divisor);
}

int ScaledBy(int value, int multiplier, int divisor) {
    const long long product = static_cast<long long>(value) * multiplier;
    const long long half = divisor / 2;
    return static_cast<int>((product >= 0 ? product + half : product - half) / divisor);
}

TControl::~TControl() {
    if (TApplication* application = HostApplication()) application->NotifyDestroyed(*this);
    SetParent(nullptr);
}

TApplication* TControl::HostApplication() const { return parent_ ? parent_->HostApplication() : nullptr; }

void TControl::Invalidate() {
    invalidated_ = true;
    if (TApplication* application = HostApplication()) application->NotifyChanged(*this);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent_ == parent) return;
    if (parent_) {
        auto& siblings = parent_->controls_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
        parent_->Invalidate();
    }
    parent_ = parent;
    if (parent_) {
        parent_->controls_.push_back(this);
        parent_->Invalidate();
        Invalidate();
    }
}

void TControl::SetBounds(int left, int top, int width, int height) {
    Left = left;
    Top = top;
    Width = width;
    Height = height;
}

void TControl::ChangeScale(int multiplier, int divisor) {
    SetBounds(ScaledBy(Left, multiplier, divisor), ScaledBy(Top, multiplier, divisor),
              ScaledBy(Width, multiplier, divisor), ScaledBy(Height, multiplier, divisor));
    Font.ChangeScale(multiplier, divisor);
}

void TControl::Click() {
    if (Enabled && OnClick) OnClick();
}

bool TControl::Showing() const {
    for (const TControl* c = this; c; c = c->Parent()) {
        if (!c->Visible) return false;
    }
    return true;
}

TWinControl::~TWinControl() {
    for (TControl* child : std::vector<TControl*>(controls_)) child->SetParent(nullptr);
}

void TWinControl::ChangeScale(int multiplier, int divisor) {
    TControl::ChangeScale(multiplier, divisor);
    for (TControl* child : controls_) child->ChangeScale(multiplier, divisor);
    Realign();
}

void TWinControl::Realign() {
    // Top- and bottom-aligned children stack from their edges in the order they
    // were added; a client-aligned child takes what is left between them.
    int top = 0;
    int bottom = Height;
    for (TControl* child : controls_) {
        if (!child->Visible) continue;
        if (child->Align == TAlign::alTop) {
            child->SetBounds(0, top, Width, child->Height);
            top += child->Height;
        } else if (child->Align == TAlign::alBottom) {
            bottom -= child->Height;
            child->SetBounds(0, bottom, Width, child->Height);
        }
    }
    for (TControl* child : controls_) {
        if (child->Align == TAlign::alClient) child->SetBounds(0, top, Width, std::max(0, bottom - top));
        if (auto* holder = dynamic_cast<TWinControl*>(child)) holder->Realign();
    }
}

TControl* TWinControl::FindChild(const std::string& name) const {
    for (TControl* child : controls_) {
        if (child->Name == name) return child;
        if (auto* holder = dynamic_cast<TWinControl*>(child)) {
            if (TControl* found = holder->FindChild(name)) return found;
        }
    }
    return nullptr;
}

namespace {
void AppendTabSequence(const TWinControl& holder, std::vector<TControl*>& sequence) {
    std::vector<TControl*> children = holder.Controls();
    std::stable_sort(children.begin(), children.end(),
                     [](const TControl* a, const TControl* b) { return a->TabOrder < b->TabOrder; });
    for (TControl* child : children) {
        sequence.push_back(child);
        if (auto* inner = dynamic_cast<const TWinControl*>(child)) AppendTabSequence(*inner, sequence);
    }
}
}  // namespace

std::vector<TControl*> TWinControl::TabSequence() const {
    std::vector<TControl*> sequence;
    AppendTabSequence(*this, sequence);
    return sequence;
}

}  // namespace tavlin
