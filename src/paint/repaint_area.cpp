#include "paint/repaint_area.h"

#include <algorithm>

#include "controls/std_controls.h"

namespace tavlin {

namespace {

// The control's rectangle in the form's coordinates; false when it is not on the form.
bool Place(const TControl& control, const TForm& form, TRect& rect) {
    TPoint at;
    for (const TControl* c = &control; c; c = c->Parent()) {
        if (c == &form) {
            rect = {at.x, at.y, at.x + control.Width, at.y + control.Height};
            return true;
        }
        at.x += c->Left;
        at.y += c->Top;
    }
    return false;
}

}  // namespace

bool RepaintArea::Footprint(const TControl& control, TRect& rect) const {
    if (dynamic_cast<const TLabel*>(&control) && control.Parent() && control.Parent() != &form_) {
        return Place(*control.Parent(), form_, rect);
    }
    return Place(control, form_, rect);
}

void RepaintArea::Add(const TRect& rect) {
    if (rect.Width() <= 0 || rect.Height() <= 0) return;
    if (area_.Width() <= 0 || area_.Height() <= 0) {
        area_ = rect;
        return;
    }
    area_ = {std::min(area_.left, rect.left), std::min(area_.top, rect.top), std::max(area_.right, rect.right),
             std::max(area_.bottom, rect.bottom)};
}

void RepaintArea::Changed(const TControl& control) {
    TRect rect;
    // A label on the form itself, the form or a control elsewhere: all of it.
    if (&control == &form_ || !Footprint(control, rect) || rect == TRect{0, 0, form_.Width, form_.Height}) {
        whole_ = true;
        return;
    }
    if (auto was = painted_.find(&control); was != painted_.end()) Add(was->second);
    changed_.insert(&control);
}

void RepaintArea::Destroyed(const TControl& control) {
    if (auto was = painted_.find(&control); was != painted_.end()) {
        Add(was->second);
        painted_.erase(was);
    }
    changed_.erase(&control);
}

TRect RepaintArea::Take() {
    for (const TControl* control : changed_) {
        TRect rect;
        if (Footprint(*control, rect)) Add(rect);
    }
    const TRect area = whole_ ? TRect{0, 0, form_.Width, form_.Height} : area_;
    whole_ = false;
    area_ = {};
    changed_.clear();
    return area;
}

void RepaintArea::Note(const TControl& control) {
    TRect rect;
    if (Footprint(control, rect)) painted_[&control] = rect;
    if (const auto* holder = dynamic_cast<const TWinControl*>(&control)) {
        for (const TControl* child : holder->Controls()) Note(*child);
    }
}

void RepaintArea::Painted() {
    painted_.clear();
    for (const TControl* child : form_.Controls()) Note(*child);
}

}  // namespace tavlin
