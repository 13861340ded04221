// The named logo positions and background styles of the setup screen.
#include <gtest/gtest.h>

#include "setup/screen_layout.h"

namespace tavlin {
namespace {

TEST(LogoPosition, EachNamedPlace) {
    // A 1024 x 768 background, a 169 x 81 frame, line 3 ending at 90 and line 4
    // starting at 750.
    struct Case {
        const char* name;
        std::optional<TPoint> at;
    };
    const Case cases[] = {
        {"Upper Right", TPoint{850, 5}},
        {"Bottom Right", TPoint{850, 682}},
        {"Upper Left (Under Text)", TPoint{5, 100}},
        {"Bottom Left", TPoint{5, 682}},
        {"Upper Center", TPoint{428, 100}},
        {"Lower Center", TPoint{428, 664}},
        {"Center", TPoint{428, 344}},
        {"upper right", std::nullopt},
        {"Top", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(LogoPosition(c.name, 1024, 768, 169, 81, 90, 750), c.at) << c.name;
}

TEST(BackgroundStyle, NamesMapExactly) {
    struct Case {
        const char* name;
        std::optional<TDirection> style;
    };
    const Case cases[] = {
        {"Solid Color", bdFlat},        {"Stretch Bitmap Image", bdStretchImage},
        {"Tile Bitmap Image", bdTileImage}, {"Up", bdUp},
        {"Down", bdDown},               {"Left", bdLeft},
        {"Right", bdRight},             {"Horizontal In", bdHorzIn},
        {"Horizontal Out", bdHorzOut},  {"Vertical In", bdVertIn},
        {"Vertical Out", bdVertOut},    {"Horiz In", std::nullopt},
        {"up", std::nullopt},           {"Solid Colour", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(BackgroundStyleNamed(c.name), c.style) << c.name;
}

}  // namespace
}  // namespace tavlin
