// The screen and the tick count as the setup screen uses them: a size, a DPI, text
// extents that grow with the text and the font, and waits that move the ticks on.
#include "platform_conformance/conformance_fixture.h"

namespace tavlin::conformance {
namespace {

class ScreenRules : public PlatformTest {
protected:
    TextExtent measure(int characterHeight, const std::string& text, bool bold = false) {
        ScreenFont font;
        font.Name = "Arial";
        font.CharacterHeight = characterHeight;
        font.Bold = bold;
        return platform().screen().measureText(font, text);
    }
};

TEST_F(ScreenRules, TheScreenHasASizeAndAClassicDpi) {
    EXPECT_GT(platform().screen().width(), 0);
    EXPECT_GT(platform().screen().height(), 0);
    // wine's default and the hosted machine's default are the classic 96 DPI.
    EXPECT_EQ(platform().screen().dpi(), 96);
}

TEST_F(ScreenRules, TextGrowsWithItsLengthAndItsFont) {
    const TextExtent empty = measure(11, "");
    EXPECT_EQ(empty.Width, 0);
    EXPECT_GE(empty.Height, 11);
    int previous = 0;
    for (const char* text : {"W", "Wi", "Wiz", "Wizard", "Wizard page"}) {
        const TextExtent extent = measure(11, text);
        EXPECT_GT(extent.Width, previous) << text;
        EXPECT_EQ(extent.Height, empty.Height) << text;
        previous = extent.Width;
    }
    const TextExtent small = measure(8, "Setup");
    const TextExtent large = measure(24, "Setup");
    EXPECT_LT(small.Width, large.Width);
    EXPECT_LT(small.Height, large.Height);
    EXPECT_GE(large.Height, 24);
    EXPECT_GE(measure(24, "Setup", true).Width, large.Width);
}

TEST_F(ScreenRules, AWaitMovesTheTicksOnByAtLeastItsTime) {
    Ticks& ticks = platform().ticks();
    const std::uint32_t before = ticks.milliseconds();
    ticks.wait(30);
    const std::uint32_t after = ticks.milliseconds();
    EXPECT_GE(after - before, 30u);
    // A real wait may overrun a little; it must not take seconds.
    EXPECT_LT(after - before, 5000u);
}

}  // namespace
}  // namespace tavlin::conformance
