// Placement rules and the background's paint plan, checked as numbers.
#include <gtest/gtest.h>

#include <set>

#include "controls/layout.h"
#include "controls/picture_controls.h"

namespace tavlin {
namespace {

TEST(Centring, WizardOnAStandardScreen) {
    EXPECT_EQ(CentredIn(1024, 768, 441, 289), (TPoint{292, 240}));
    EXPECT_EQ(CentredIn(800, 600, 441, 289), (TPoint{180, 156}));
}

TEST(MulDivRounding, RoundsHalvesAwayFromZero) {
    struct Case {
        int a, b, c, expected;
    };
    for (const Case& c : {Case{1, 768, 100, 8}, Case{1, 750, 100, 8}, Case{1, 749, 100, 7}, Case{-1, 750, 100, -8},
                          Case{99, 768, 100, 760}, Case{100, 768, 100, 768}, Case{5, 5, 0, -1},
                          Case{2000000, 3000, 1000, 6000000}}) {
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
    }
}

TEST(ColourRamp, TruncatesEachChannelAndStopsShortOfTheEnd) {
    const auto ramp = ColourRamp(clBlue, clBlack);
    EXPECT_EQ(ramp[0], clBlue);
    // 255 - 2.55 * 99 = 2.55, truncated: blue stays one step above black.
    EXPECT_EQ(ramp[99], Rgb(0, 0, 2));
    EXPECT_EQ(ramp[1], Rgb(0, 0, 252));  // 252.45
    const auto up = ColourRamp(Rgb(0, 10, 0), Rgb(200, 10, 100));
    EXPECT_EQ(up[50], Rgb(100, 10, 50));
    EXPECT_EQ(up[99], Rgb(198, 10, 99));
}

// For each gradient style: whether bands are rows, and the colour of the first,
// 50th and last band for a start colour blue and an end colour black.
struct GradientCase {
    TDirection style;
    bool rows;
    int firstIndex;  // into the ramp the style uses
    int middleIndex;
    int lastIndex;
    bool reversed;
};

class GradientBands : public ::testing::TestWithParam<GradientCase> {};

TEST_P(GradientBands, HundredBandsCoverThePanel) {
    const GradientCase& c = GetParam();
    const int width = 1024, height = 768;
    const auto plan = BackgroundPaintPlan(c.style, width, height, clBlue, clBlack, 0, 0);
    ASSERT_EQ(plan.size(), 100u);
    const auto ramp = c.reversed ? ColourRamp(clBlack, clBlue) : ColourRamp(clBlue, clBlack);
    EXPECT_EQ(plan[0].color, ramp[c.firstIndex]);
    EXPECT_EQ(plan[50].color, ramp[c.middleIndex]);
    EXPECT_EQ(plan[99].color, ramp[c.lastIndex]);
    // Bands are contiguous, span the whole side and never overlap.
    int edge = 0;
    for (const PaintStep& step : plan) {
        EXPECT_EQ(step.kind, PaintStep::Kind::Fill);
        if (c.rows) {
            EXPECT_EQ(step.rect.left, 0);
            EXPECT_EQ(step.rect.right, width);
            EXPECT_EQ(step.rect.top, edge);
            edge = step.rect.bottom;
        } else {
            EXPECT_EQ(step.rect.top, 0);
            EXPECT_EQ(step.rect.bottom, height);
            EXPECT_EQ(step.rect.left, edge);
            edge = step.rect.right;
        }
    }
    EXPECT_EQ(edge, c.rows ? height : width);
}

INSTANTIATE_TEST_SUITE_P(Styles, GradientBands,
                         ::testing::Values(GradientCase{bdUp, true, 0, 50, 99, false},
                                           GradientCase{bdDown, true, 0, 50, 99, true},
                                           GradientCase{bdLeft, false, 0, 50, 99, false},
                                           GradientCase{bdRight, false, 0, 50, 99, true},
                                           GradientCase{bdHorzIn, true, 1, 98, 0, false},
                                           GradientCase{bdHorzOut, true, 1, 98, 0, true},
                                           GradientCase{bdVertIn, false, 1, 98, 0, false},
                                           GradientCase{bdVertOut, false, 1, 98, 0, true}));

TEST(GradientBands, HorizontalInIsStartColouredAtTheEdgesAndDarkInTheMiddle) {
    const auto plan = BackgroundPaintPlan(bdHorzIn, 1024, 768, clBlue, clBlack, 0, 0);
    EXPECT_GE(BlueOf(plan[0].color), 250);
    EXPECT_GE(BlueOf(plan[99].color), 250);
    EXPECT_LE(BlueOf(plan[49].color), 5);
    EXPECT_LE(BlueOf(plan[50].color), 5);
    // Band 8 of 768 rows starts at MulDiv(8, 768, 100) = 61 (61.44 rounded).
    EXPECT_EQ(plan[8].rect.top, 61);
    EXPECT_EQ(plan[8].rect.bottom, 69);  // 69.12
}

TEST(GradientBands, SmallPanelsGetEmptyBandsRatherThanGaps) {
    const auto plan = BackgroundPaintPlan(bdUp, 10, 7, clBlue, clBlack, 0, 0);
    ASSERT_EQ(plan.size(), 100u);
    EXPECT_EQ(plan.front().rect.top, 0);
    EXPECT_EQ(plan.back().rect.bottom, 7);
}

TEST(FlatAndPictureStyles, FillOrDrawThePicture) {
    struct Case {
        TDirection style;
        int pictureWidth, pictureHeight;
        std::vector<PaintStep> expected;
    };
    const TRect whole{0, 0, 300, 200};
    const std::vector<Case> cases = {
        {bdFlat, 50, 50, {{PaintStep::Kind::Fill, whole, clRed}}},
        {bdStretchImage, 0, 0, {{PaintStep::Kind::Fill, whole, clRed}}},
        {bdStretchImage, 50, 50, {{PaintStep::Kind::Picture, {0, 0, 299, 199}, 0}}},
        {bdTileImage, 0, 0, {{PaintStep::Kind::Fill, whole, clRed}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BackgroundPaintPlan(c.style, 300, 200, clRed, clBlack, c.pictureWidth, c.pictureHeight),
                  c.expected)
            << "style " << c.style;
    }
}

TEST(FlatAndPictureStyles, TilesColumnByColumnPastTheEdges) {
    const auto plan = BackgroundPaintPlan(bdTileImage, 1024, 768, clBlue, clBlack, 50, 50);
    ASSERT_EQ(plan.size(), 21u * 16u);
    EXPECT_EQ(plan[0].rect, (TRect{0, 0, 50, 50}));
    EXPECT_EQ(plan[1].rect, (TRect{0, 50, 50, 100}));    // down the first column first
    EXPECT_EQ(plan[16].rect, (TRect{50, 0, 100, 50}));   // then the second column
    EXPECT_EQ(plan.back().rect, (TRect{1000, 750, 1050, 800}));
}

TEST(GradientPanel, PaintsInItsOwnStyleAndSize) {
    TGradPan panel("SetupScreen");
    panel.SetBounds(0, 0, 640, 480);
    panel.BackGroundEffect = bdFlat;
    panel.ColorStart = clRed;
    EXPECT_EQ(panel.PaintPlan(), (std::vector<PaintStep>{{PaintStep::Kind::Fill, {0, 0, 640, 480}, clRed}}));
    panel.BackGroundEffect = bdTileImage;
    panel.Bitmap = TPicture{"tile.bmp", 320, 240, false};
    EXPECT_EQ(panel.PaintPlan().size(), 9u);
}

}  // namespace
}  // namespace tavlin
