// Layout rules of the control model as pure functions: centring, the Windows
// rounding of MulDiv, and the background panel's colour ramp and paint plan, so
// that placement and painting can be checked without pixels.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "controls/control.h"

namespace tavlin {

// The position that centres a w x h box in an outer W x H area (integer division).
TPoint CentredIn(int outerWidth, int outerHeight, int width, int height);

// a * b / c rounded to the nearest integer, halves away from zero; -1 when c is 0.
int MulDiv(int a, int b, int c);

// The colour channels: red in the low byte, green in the middle, blue in the high.
inline std::uint8_t RedOf(TColor c) { return static_cast<std::uint8_t>(c & 0xFF); }
inline std::uint8_t GreenOf(TColor c) { return static_cast<std::uint8_t>((c >> 8) & 0xFF); }
inline std::uint8_t BlueOf(TColor c) { return static_cast<std::uint8_t>((c >> 16) & 0xFF); }
inline TColor Rgb(int red, int green, int blue) {
    return static_cast<TColor>(red & 0xFF) | static_cast<TColor>(green & 0xFF) << 8 |
           static_cast<TColor>(blue & 0xFF) << 16;
}

// 100 colours from a to b: channel by channel a + (b - a) / 100 * i, truncated
// towards zero; entry 0 is a and entry 99 falls one step short of b.
std::array<TColor, 100> ColourRamp(TColor from, TColor to);

// The background styles of the gradient panel.
enum TDirection {
    bdFlat = 0,
    bdStretchImage = 1,
    bdTileImage = 2,
    bdUp = 3,
    bdDown = 4,
    bdLeft = 5,
    bdRight = 6,
    bdHorzIn = 7,
    bdHorzOut = 8,
    bdVertIn = 9,
    bdVertOut = 10,
};

// One step of painting the background: a rectangle filled with a colour, or the
// picture drawn into a rectangle (stretched to it, or at its size when tiled).
// Rectangles exclude their right and bottom edges.
struct PaintStep {
    enum class Kind { Fill, Picture } kind = Kind::Fill;
    TRect rect;
    TColor color = 0;

    bool operator==(const PaintStep&) const = default;
};

// What painting a width x height panel draws in the given style. pictureWidth and
// pictureHeight are the picture's size (0 x 0 for an empty picture).
std::vector<PaintStep> BackgroundPaintPlan(TDirection style, int width, int height, TColor colorStart,
                                           TColor colorEnd, int pictureWidth, int pictureHeight);

}  // namespace tavlin
