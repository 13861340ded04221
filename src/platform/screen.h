// The primary screen: its size, its resolution, and how large a line of text is in
// a font as the screen draws it.
#pragma once

#include <string>
#include <string_view>

namespace tavlin {

// A font as a program asks for it; the name and the text are program text.
struct ScreenFont {
    std::string Name = "MS Sans Serif";
    int CharacterHeight = 11;  // pixels, without the leading (a negative Windows font height)
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
};

struct TextExtent {
    int Width = 0;
    int Height = 0;
};

class Screen {
public:
    virtual ~Screen() = default;
    // The primary screen's size in pixels.
    virtual int width() = 0;
    virtual int height() = 0;
    // Pixels per logical inch (96 on a classic screen).
    virtual int dpi() = 0;
    // Width and height of one line of text; an empty text is one line high and 0 wide.
    virtual TextExtent measureText(const ScreenFont& font, std::string_view text) = 0;
};

}  // namespace tavlin
