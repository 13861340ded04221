// What a mouse click does to the model: finds the control under the pointer in
// the painted layout and acts as the user's click on it (buttons and boxes are
// clicked, a list row's box is ticked, an edit takes the focus, the folder
// edit's browse button chooses a folder).
#pragma once

#include "controls/form.h"
#include "paint/canvas.h"

namespace tavlin {

struct HitResult {
    TControl* control = nullptr;
    TPoint origin;  // the control's top-left corner on the screen
};

// The topmost visible control under at, a window's controls starting at origin.
HitResult HitTest(TWinControl& root, TPoint origin, TPoint at);

// Carries the click at `at` on the control that was hit, on that form; false when
// it did nothing. The canvas measures text as the paint code laid it out.
bool ClickAt(TForm& form, const HitResult& hit, TPoint at, Canvas& canvas);

// The model has been drawn as it is now.
void ValidateTree(TControl& control);

}  // namespace tavlin
