// Shadowed labels and transparent bitmap logos on the raster canvas: the shadow
// is the text again, moved by its offset, in the shadow colour; a bitmap drawn
// transparent lets the background show where it has its transparent colour.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "paint/control_paint.h"
#include "paint/screen_paint.h"
#include "screenshots/raster_canvas.h"

namespace tavlin {
namespace {

using Pixels = std::set<std::pair<int, int>>;

Pixels OfColour(const RasterCanvas& canvas, TColor colour) {
    Pixels found;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            if (canvas.Pixel(x, y) == colour) found.insert({x, y});
        }
    }
    return found;
}

TEST(ShadowLabel, ShadowIsTheTextMovedByItsOffsetInTheShadowColour) {
    struct Case {
        TShadowPosition position;
        int dx, dy;  // where the shadow lies relative to the text
    };
    const int offset = 40;  // far enough that text and shadow never overlap
    const Case cases[] = {
        {TShadowPosition::spLeftBottom, -offset, offset},
        {TShadowPosition::spRightBottom, offset, offset},
        {TShadowPosition::spLeftTop, -offset, -offset},
        {TShadowPosition::spRightTop, offset, -offset},
    };
    for (const Case& c : cases) {
        RasterCanvas canvas(200, 150);
        PaintContext context{canvas};
        TShadowLabel label("TextInfo1");
        label.Font.Name = "Arial";
        label.Font.Height = -40;
        label.Font.Style = 1;  // bold, for many pixels fully inside the glyphs
        label.Font.Color = clWhite;
        label.ShadowColor = Rgb(255, 0, 0);
        label.ShadowOffset = offset;
        label.ShadowPosition = c.position;
        label.SetBounds(10, 10, 180, 130);
        label.AutoSize = false;
        label.Caption = "IWI";
        PaintShadowLabel(context, label, {10, 10});

        const Pixels text = OfColour(canvas, clWhite);
        const Pixels shadow = OfColour(canvas, Rgb(255, 0, 0));
        ASSERT_GT(text.size(), 100u);
        Pixels moved;
        for (const auto& [x, y] : text) moved.insert({x + c.dx, y + c.dy});
        EXPECT_EQ(shadow, moved) << static_cast<int>(c.position);
        // The label has no background: what is outside the glyphs stays black.
        EXPECT_EQ(canvas.Pixel(10, 149), clBlack);
    }
}

class OnePicture : public PictureSource {
public:
    explicit OnePicture(PixelImage image) { picture_.Frames.push_back({std::move(image), 0}); }
    const DecodedPicture* Find(const TPicture&) override { return &picture_; }

private:
    DecodedPicture picture_;
};

TEST(BitmapLogo, ItsTransparentColourShowsTheBackground) {
    // 4 x 3: the bottom-left pixel's colour (magenta) is the transparent one.
    const std::uint32_t M = 0xFFFF00FF, R = 0xFFFF0000, Y = 0xFFFFFF00;
    OnePicture source({4, 3, {R, M, M, Y, M, R, Y, M, M, M, R, R}});
    RasterCanvas canvas(20, 20);
    canvas.FillRect({0, 0, 20, 20}, Rgb(0, 128, 0));
    PaintContext context{canvas, &source};
    TImage logo("LogoImage2");
    logo.SetBounds(5, 6, 4, 3);
    logo.Transparent = true;
    logo.Picture = TPicture{"C:\\logo.bmp", 4, 3, false};
    PaintImage(context, logo, {5, 6});
    const std::uint32_t pixels[3][4] = {{R, M, M, Y}, {M, R, Y, M}, {M, M, R, R}};
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            const std::uint32_t p = pixels[y][x];
            const TColor expected = p == M ? Rgb(0, 128, 0) : Rgb((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
            EXPECT_EQ(canvas.Pixel(5 + x, 6 + y), expected) << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace tavlin
