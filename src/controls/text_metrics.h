// How large a text is in a font, for labels that size themselves. The model uses
// fixed proportions of the character height, so that layouts are the same on every
// machine; a window backend may measure real glyphs instead.
#pragma once

#include <string_view>

#include "controls/control.h"

namespace tavlin {

// The character height in pixels: a negative font height is it; a positive one is
// the cell height, of which the character takes five sixths.
int CharacterHeight(const TFont& font);

// Width and height of one line of text; an empty text is as high as a line and 0 wide.
TPoint MeasureText(const TFont& font, std::string_view text);

}  // namespace tavlin
