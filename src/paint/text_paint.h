// Text as controls show it: captions with their accelerator letter underlined,
// lines broken at words to fit a width, aligned in a rectangle.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "paint/canvas.h"

namespace tavlin {

enum class TextAlign { Left, Centre, Right };

// The lines of a text: broken at CR, LF or CR LF, and, with a width above 0, at
// blanks so that each line fits it (a word longer than the width stands alone).
std::vector<std::string> TextLines(Canvas& canvas, std::string_view text, const TFont& font, int width);

// Draws a caption whose "&" marks the accelerator letter ("&&" is one "&"): the
// letter is underlined. Returns the caption's extent.
TPoint DrawCaption(Canvas& canvas, TPoint at, std::string_view caption, const TFont& font, TColor colour);

// Draws lines one below the other from top, each aligned within [left, right).
void DrawLines(Canvas& canvas, const std::vector<std::string>& lines, int left, int right, int top,
               const TFont& font, TColor colour, TextAlign align, bool accelerators);

// The height of one line in the font.
int LineHeight(Canvas& canvas, const TFont& font);

}  // namespace tavlin
