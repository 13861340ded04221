// What has to be painted again on a form once the model told which of its
// controls changed: the rectangles they covered when the form was last painted
// and the ones they cover now, united. A label's text may run past its own
// bounds (only its parent clips it), so a label stands for its parent's
// rectangle. Rectangles are in the form's coordinates.
#pragma once

#include <map>
#include <set>

#include "controls/form.h"

namespace tavlin {

class RepaintArea {
public:
    explicit RepaintArea(const TForm& form) : form_(form) {}

    // The model's notices: a control changed or goes; anything else about the
    // form (or a control that is not on it) asks for the whole form.
    void Changed(const TControl& control);
    void Destroyed(const TControl& control);
    void Everything() { whole_ = true; }

    bool Empty() const { return !whole_ && area_.Width() <= 0 && changed_.empty(); }
    // The rectangle to paint again; empty when nothing changed. The notices so far
    // are spent.
    TRect Take();
    // The form has been painted as it is now: where each control lies is noted.
    void Painted();

private:
    // Where the paint code draws the control now, or nothing when it is not on the form.
    bool Footprint(const TControl& control, TRect& rect) const;
    void Add(const TRect& rect);
    void Note(const TControl& control);

    const TForm& form_;
    bool whole_ = true;
    TRect area_;
    std::set<const TControl*> changed_;
    std::map<const TControl*, TRect> painted_;
};

}  // namespace tavlin
