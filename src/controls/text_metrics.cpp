#include "controls/text_metrics.h"

#include <algorithm>

namespace tavlin {

int CharacterHeight(const TFont& font) {
    if (font.Height < 0) return -font.Height;
    return std::max(1, font.Height * 5 / 6);
}

TPoint MeasureText(const TFont& font, std::string_view text) {
    const int characterHeight = CharacterHeight(font);
    // An average glyph is about half as wide as the character is high; bold widens it.
    int average = std::max(1, (characterHeight + 1) / 2);
    if (font.Style & 1) average += std::max(1, average / 10);
    const int lineHeight = characterHeight + (characterHeight + 3) / 4;  // with the leading
    return {static_cast<int>(text.size()) * average, lineHeight};
}

}  // namespace tavlin
