// The whole screen of a running setup as one picture: the full-screen setup form,
// the progress windows that are open over it, and a message box on top.
#pragma once

#include "paint/screen_paint.h"
#include "setup/display_screen.h"

namespace tavlin {

// Paints what the screen shows now; box, when given, is the message box waiting
// for its answer.
void PaintSetupScreen(PaintContext& context, TDisplayScreen& screen, const MessageBoxLook* box = nullptr);

}  // namespace tavlin
