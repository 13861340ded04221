// The names install.cfg gives the setup screen's looks: background styles, logo
// positions and shortcut window states (font style names live with
// the font styles in support). The setup maps them to its
// screen and the builder checks install.cfg against them, so each list lives
// here once. Names compare exactly (case-sensitive).
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace tavlin {

// "Display Style" names; a name's index is the value of the background style
// it selects (bdFlat = 0 ... bdVertOut = 10).
inline constexpr std::array<const char*, 11> DisplayStyleNames = {
    "Solid Color", "Stretch Bitmap Image", "Tile Bitmap Image", "Up", "Down", "Left", "Right",
    "Horizontal In", "Horizontal Out", "Vertical In", "Vertical Out"};

// The default "Display Style", which names no style: the background keeps its
// built-in look.
inline constexpr const char* kDefaultDisplayStyle = "Horiz In";

enum class LogoPlace { UpperRight, BottomRight, UpperLeftUnderText, BottomLeft, UpperCenter, LowerCenter, Center };

// "Logo Pos" names, in LogoPlace order.
inline constexpr std::array<const char*, 7> LogoPositionNames = {
    "Upper Right", "Bottom Right", "Upper Left (Under Text)", "Bottom Left", "Upper Center", "Lower Center",
    "Center"};

// Field 9 of a [Desktop] entry.
inline constexpr std::array<const char*, 3> WindowStateNames = {"Normal", "Maximized", "Minimized"};

// The index of a "Display Style" name; nothing for any other name.
std::optional<int> DisplayStyleIndex(std::string_view name);

// The place of a "Logo Pos" name; nothing for any other name.
std::optional<LogoPlace> LogoPlaceNamed(std::string_view name);

}  // namespace tavlin
