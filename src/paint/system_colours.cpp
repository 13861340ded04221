#include "paint/system_colours.h"

#include <array>

namespace tavlin {

namespace {

constexpr TColor FromRgb(std::uint32_t rgb) {
    return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

// Indexes 0 to 28 of the Windows Standard scheme, written as 0xRRGGBB.
constexpr std::array<std::uint32_t, 29> kStandardScheme = {
    0xC0C0C0,  //  0 scroll bar
    0x008080,  //  1 desktop
    0x000080,  //  2 active caption
    0x808080,  //  3 inactive caption
    0xC0C0C0,  //  4 menu
    0xFFFFFF,  //  5 window
    0x000000,  //  6 window frame
    0x000000,  //  7 menu text
    0x000000,  //  8 window text
    0xFFFFFF,  //  9 caption text
    0xC0C0C0,  // 10 active border
    0xC0C0C0,  // 11 inactive border
    0x808080,  // 12 application workspace
    0x000080,  // 13 highlight
    0xFFFFFF,  // 14 highlight text
    0xC0C0C0,  // 15 button face
    0x808080,  // 16 button shadow
    0x808080,  // 17 grey text
    0x000000,  // 18 button text
    0xC0C0C0,  // 19 inactive caption text
    0xFFFFFF,  // 20 button highlight
    0x000000,  // 21 3-D dark shadow
    0xDFDFDF,  // 22 3-D light
    0x000000,  // 23 tooltip text
    0xFFFFE1,  // 24 tooltip background
    0xB5B5B5,  // 25 (unused)
    0x0000FF,  // 26 hot-tracked item
    0x1084D0,  // 27 active caption gradient
    0xB5B5B5,  // 28 inactive caption gradient
};

}  // namespace

TColor PlainColour(TColor colour) {
    if ((colour >> 24) == 0xFF) {
        const std::uint32_t index = colour & 0xFFFFFF;
        return index < kStandardScheme.size() ? FromRgb(kStandardScheme[index]) : 0;
    }
    return colour & 0xFFFFFF;
}

}  // namespace tavlin
