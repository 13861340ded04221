// The placement rules of the setup screen that its configuration names: the logo
// positions and the background styles.
#pragma once

#include <optional>
#include <string>

#include "controls/layout.h"

namespace tavlin {

// Where the logo frame goes for a "Logo Pos" name, on a background of W x H, for a
// frame of w x h; nothing for a name outside the list (the frame stays).
std::optional<TPoint> LogoPosition(const std::string& name, int W, int H, int w, int h, int textLine3Bottom,
                                   int textLine4Top);

// The background style for a "Display Style" name (exact case); nothing for
// any other name.
std::optional<TDirection> BackgroundStyleNamed(const std::string& name);

}  // namespace tavlin
