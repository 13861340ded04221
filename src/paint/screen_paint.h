// Painting whole windows from the control model: a control with everything on it,
// the borderless full-screen form, a window with its frame and caption bar, and a
// message box over the screen.
#pragma once

#include <string>

#include "controls/form.h"
#include "paint/paint_context.h"
#include "platform/dialogs.h"

namespace tavlin {

// Paints a visible control and its visible children, its top-left corner at origin.
void PaintControl(PaintContext& context, const TControl& control, TPoint origin);

// The borderless form that covers the screen: its colour, then its controls.
void PaintScreenForm(PaintContext& context, const TForm& form);

// A window at its place: the raised frame, the caption bar with the title and the
// close box, and the client area with the form's controls.
void PaintWindow(PaintContext& context, const TForm& form);
// The frame's sizes: the client area starts this far from the window's corner.
inline constexpr int kWindowBorder = 3;
inline constexpr int kWindowCaption = 22;

// A message box as Windows lays it out, centred on a screen of that size.
struct MessageBoxLook {
    std::string caption;
    std::string text;
    MessageButtons buttons = MessageButtons::Ok;
    MessageKind kind = MessageKind::Information;
};
TRect PaintMessageBox(PaintContext& context, const MessageBoxLook& box, int screenWidth, int screenHeight);

}  // namespace tavlin
