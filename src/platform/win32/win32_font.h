// The one way this program makes a GDI font, so that the text measured for the
// layout, the text painted on the screen and the text of the system's controls
// come from the same font: the code page of the setup's texts, whole pixels as
// the designed screens show them (no smoothing).
#pragma once

#include <windows.h>

#include "platform/win32/win32_screen_window.h"

namespace tavlin::win32 {

// Null when the system cannot make it.
HFONT CreateGdiFont(const SurfaceFont& font);

}  // namespace tavlin::win32
