// The background panel on the raster canvas: the gradient bands by MulDiv with
// the folded ramp, the tiling column by column and the stretch that leaves the
// right and bottom edges alone. Expected colours are computed here from the
// rules, not taken from the paint code.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "paint/background_paint.h"
#include "screenshots/raster_canvas.h"

namespace tavlin {
namespace {

// MulDiv as Windows rounds it, for the non-negative values the bands use.
int Rounded(int a, int b, int c) { return static_cast<int>((static_cast<long long>(a) * b + c / 2) / c); }

// Ramp entry i from a to b, channel by channel: a + (b - a) / 100 * i, truncated.
TColor RampEntry(TColor a, TColor b, int i) {
    int channel[3];
    for (int k = 0; k < 3; ++k) {
        const int from = static_cast<int>((a >> (8 * k)) & 0xFF);
        const int to = static_cast<int>((b >> (8 * k)) & 0xFF);
        channel[k] = static_cast<int>(std::trunc(from + (to - from) / 100.0 * i));
    }
    return static_cast<TColor>(channel[0] | channel[1] << 8 | channel[2] << 16);
}

void Design(TGradPan& panel, TDirection style, int width, int height) {
    panel.SetBounds(0, 0, width, height);
    panel.BevelOuter = TBevelCut::bvNone;
    panel.BackGroundEffect = style;
    panel.ColorStart = clBlue;
    panel.ColorEnd = clBlack;
}

TEST(BackgroundPaint, GradientBandsByMulDivWithTheirRampColours) {
    struct Case {
        TDirection style;
        bool rows;      // bands are rows (else columns)
        bool reversed;  // the ramp runs from the end colour
        bool folded;    // band k takes c[2k+1] / c[198-2k]
    };
    const Case cases[] = {
        {bdHorzIn, true, false, true},   {bdHorzOut, true, true, true}, {bdVertIn, false, false, true},
        {bdVertOut, false, true, true},  {bdUp, true, false, false},    {bdDown, true, true, false},
        {bdLeft, false, false, false},   {bdRight, false, true, false},
    };
    const int W = 1024, H = 768;
    for (const Case& c : cases) {
        RasterCanvas canvas(W, H);
        PaintContext context{canvas};
        TGradPan panel("SetupScreen");
        Design(panel, c.style, W, H);
        PaintGradPan(context, panel, {0, 0});
        const TColor from = c.reversed ? clBlack : clBlue;
        const TColor to = c.reversed ? clBlue : clBlack;
        const int extent = c.rows ? H : W;
        for (int k = 0; k < 100; ++k) {
            const int first = Rounded(k, extent, 100);
            const int last = Rounded(k + 1, extent, 100) - 1;
            const int index = c.folded ? (k < 50 ? 2 * k + 1 : 198 - 2 * k) : k;
            const TColor expected = RampEntry(from, to, index);
            for (const int at : {first, last}) {
                const TColor got = c.rows ? canvas.Pixel(W / 3, at) : canvas.Pixel(at, H / 3);
                ASSERT_EQ(got, expected) << "style " << c.style << " band " << k << " at " << at;
            }
        }
    }
}

TEST(BackgroundPaint, HorizontalInFromBlueToBlackAtTheEdgesAndTheMiddle) {
    RasterCanvas canvas(1024, 768);
    PaintContext context{canvas};
    TGradPan panel("SetupScreen");
        Design(panel, bdHorzIn, 1024, 768);
    PaintGradPan(context, panel, {0, 0});
    // Band 0 has c[1] (blue 255 - 2.55, truncated: 252), band 99 has c[0] (255);
    // the two middle bands, 49 and 50, have c[99] and c[98] (2 and 5).
    EXPECT_EQ(canvas.Pixel(0, 0), Rgb(0, 0, 252));
    EXPECT_EQ(canvas.Pixel(0, 767), Rgb(0, 0, 255));
    EXPECT_EQ(canvas.Pixel(0, Rounded(49, 768, 100)), Rgb(0, 0, 2));
    EXPECT_EQ(canvas.Pixel(0, Rounded(50, 768, 100)), Rgb(0, 0, 5));
}

// Counts what is drawn, passing everything on to a raster.
class RecordingCanvas : public RasterCanvas {
public:
    using RasterCanvas::RasterCanvas;
    void DrawPicture(const PixelImage& picture, const TRect& rect, PictureDrawing how, TColor key) override {
        pictures.push_back(rect);
        RasterCanvas::DrawPicture(picture, rect, how, key);
    }
    std::vector<TRect> pictures;
};

// A picture source with one picture for every file name.
class OnePicture : public PictureSource {
public:
    explicit OnePicture(PixelImage image) { picture_.Frames.push_back({std::move(image), 0}); }
    const DecodedPicture* Find(const TPicture&) override { return &picture_; }

private:
    DecodedPicture picture_;
};

PixelImage Filled(int width, int height, std::uint32_t argb) {
    return {width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, argb)};
}

TEST(BackgroundPaint, TileDrawsTwentyOneColumnsOfSixteenColumnByColumn) {
    PixelImage tile = Filled(50, 50, 0xFF00FF00);
    tile.Pixels[0] = 0xFFFF0000;  // a red mark at each tile's corner
    OnePicture source(tile);
    RecordingCanvas canvas(1024, 768);
    PaintContext context{canvas, &source};
    TGradPan panel("SetupScreen");
        Design(panel, bdTileImage, 1024, 768);
    panel.Bitmap = TPicture{"C:\\tile.bmp", 50, 50, false};
    PaintGradPan(context, panel, {0, 0});

    ASSERT_EQ(canvas.pictures.size(), 21u * 16u);
    for (int i = 0; i <= 20; ++i) {
        for (int j = 0; j <= 15; ++j) {
            const TRect& r = canvas.pictures[static_cast<std::size_t>(i) * 16 + j];
            EXPECT_EQ(r.left, 50 * i) << i << "," << j;
            EXPECT_EQ(r.top, 50 * j) << i << "," << j;
            EXPECT_EQ(canvas.Pixel(50 * i, 50 * j), Rgb(255, 0, 0)) << i << "," << j;
        }
    }
    EXPECT_EQ(canvas.Pixel(1023, 767), Rgb(0, 255, 0)) << "the last column and row are cut at the edges";
}

TEST(BackgroundPaint, StretchLeavesTheRightColumnAndBottomRowInThePanelColour) {
    OnePicture source(Filled(7, 5, 0xFFFF0000));
    RasterCanvas canvas(1024, 768);
    PaintContext context{canvas, &source};
    TGradPan panel("SetupScreen");
        Design(panel, bdStretchImage, 1024, 768);
    panel.Color = Rgb(0, 128, 0);
    panel.Bitmap = TPicture{"C:\\wide.bmp", 7, 5, false};
    PaintGradPan(context, panel, {0, 0});
    for (int y = 0; y < 768; y += 37) EXPECT_EQ(canvas.Pixel(1023, y), Rgb(0, 128, 0)) << y;
    for (int x = 0; x < 1024; x += 41) EXPECT_EQ(canvas.Pixel(x, 767), Rgb(0, 128, 0)) << x;
    EXPECT_EQ(canvas.Pixel(1022, 766), Rgb(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(0, 0), Rgb(255, 0, 0));
}

TEST(BackgroundPaint, PictureStylesWithoutAPictureFillWithTheStartColour) {
    for (const TDirection style : {bdFlat, bdStretchImage, bdTileImage}) {
        RasterCanvas canvas(64, 48);
        PaintContext context{canvas};
        TGradPan panel("SetupScreen");
        Design(panel, style, 64, 48);
        panel.Bitmap.Clear();
        panel.ColorStart = Rgb(10, 20, 30);
        PaintGradPan(context, panel, {0, 0});
        EXPECT_EQ(canvas.Pixel(0, 0), Rgb(10, 20, 30)) << style;
        EXPECT_EQ(canvas.Pixel(63, 47), Rgb(10, 20, 30)) << style;
    }
}

}  // namespace
}  // namespace tavlin
