// How large a text is in a font, for labels that size themselves. The application
// measures through a TTextMeasurer that the program attaches (the screen's own
// fonts); without one, fixed proportions of the character height stand in, so that
// the model's own tests need no fonts.
#pragma once

#include <string_view>

#include "controls/control.h"

namespace tavlin {

// The character height in pixels: a negative font height is it; a positive one is
// the cell height, of which the character takes five sixths.
int CharacterHeight(const TFont& font);

// Width and height of one line of text by those fixed proportions; an empty text
// is as high as a line and 0 wide.
TPoint MeasureText(const TFont& font, std::string_view text);

// Measures a line of text as the screen will draw it; an empty text is one line
// high and 0 wide.
class TTextMeasurer {
public:
    virtual ~TTextMeasurer() = default;
    virtual TPoint Measure(const TFont& font, std::string_view text) = 0;
};

}  // namespace tavlin
