#include "controls/control.h"

#include <algorithm>

namespace tavlin {

void TFont::SetSize(int points) {
    Size = points;
    Height = -(points * PixelsPerInch + 36) / 72;
}

TControl::~TControl() { SetParent(nullptr); }

void TControl::SetParent(TWinControl* parent) {
    if (parent_ == parent) return;
    if (parent_) {
        auto& siblings = parent_->controls_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    parent_ = parent;
    if (parent_) parent_->controls_.push_back(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    Left = left;
    Top = top;
    Width = width;
    Height = height;
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

void TWinControl::Realign() {
    for (TControl* child : controls_) {
        if (child->Align == TAlign::alClient) child->SetBounds(0, 0, Width, Height);
        if (child->Align == TAlign::alBottom) child->SetBounds(0, Height - child->Height, Width, child->Height);
        if (child->Align == TAlign::alTop) child->SetBounds(0, 0, Width, child->Height);
        if (auto* holder = dynamic_cast<TWinControl*>(child)) holder->Realign();
    }
}

}  // namespace tavlin
