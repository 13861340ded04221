// Text measured by the hosted screen service and by the raster canvas agree for
// every font and text, and the drawn glyphs stay inside that extent; the setup's
// labels size themselves to it.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/hosted/hosted_screen.h"
#include "screenshots/raster_canvas.h"
#include "setup/screen_service.h"
#include "setup/setup_fixture.h"
#include "support/font_styles.h"

namespace tavlin::test {
namespace {

TFont FontOf(const char* name, int characterHeight, std::uint8_t style) {
    TFont font;
    font.Name = name;
    font.Height = -characterHeight;
    font.Style = style;
    return font;
}

struct MeasureCase {
    const char* name;
    int height;
    std::uint8_t style;
    const char* text;
};

const MeasureCase kCases[] = {
    {"Arial", 32, fsItalic, "Initializing Setup Wizard  ....."},
    {"Arial", 13, fsItalic, "De-Compressing .... Please Standby."},
    {"Verdana", 11, 0, "&Next >>"},
    {"Verdana", 11, fsBold, "Destination Folder"},
    {"Comic Sans MS", 13, fsBold, "Installing Files"},
    {"Comic Sans MS", 21, 0, "License Agreement"},
    {"Times New Roman", 16, fsBold | fsItalic, "Caf\xe9 \xbb Acme"},
    {"MS Sans Serif", 11, fsUnderline | fsStrikeOut, "WWW iii"},
    {"Arial", 13, 0, ""},
};

TEST(TextMeasure, ScreenServiceAndCanvasAgreeAndTheInkFitsInside) {
    hosted::HostedScreen service(1024, 768, 96);
    for (const MeasureCase& c : kCases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.height) + " '" + c.text + "'");
        const TFont font = FontOf(c.name, c.height, c.style);
        const TextExtent measured = service.measureText(ScreenFontOf(font), c.text);
        RasterCanvas canvas(600, 100);
        const TPoint drawnExtent = canvas.TextExtent(c.text, font);
        EXPECT_EQ(drawnExtent, (TPoint{measured.Width, measured.Height}));
        // One line high whatever the text; empty texts are 0 wide.
        EXPECT_GE(measured.Height, c.height);
        EXPECT_EQ(measured.Width == 0, std::string(c.text).empty());

        // The text paints inside its measured extent: a glyph may overhang its
        // advance by one column at the end (as on Windows), no more.
        const TPoint at{20, 20};
        canvas.DrawText(at, c.text, font, clWhite);
        int inkLeft = canvas.Width(), inkRight = -1, inkTop = canvas.Height(), inkBottom = -1;
        for (int y = 0; y < canvas.Height(); ++y) {
            for (int x = 0; x < canvas.Width(); ++x) {
                if (canvas.Pixel(x, y) == 0) continue;
                inkLeft = std::min(inkLeft, x);
                inkRight = std::max(inkRight, x);
                inkTop = std::min(inkTop, y);
                inkBottom = std::max(inkBottom, y);
            }
        }
        if (std::string(c.text).empty()) {
            EXPECT_EQ(inkRight, -1);
            continue;
        }
        EXPECT_GE(inkLeft, at.x);
        EXPECT_GE(inkTop, at.y);
        EXPECT_LE(inkRight, at.x + measured.Width);
        EXPECT_LT(inkBottom, at.y + measured.Height);
        // The extent is the text's own, not a guess far wider than its glyphs.
        EXPECT_GT(inkRight, at.x + measured.Width - c.height);
    }
}

class SetupLabels : public SetupFixture {};

TEST_F(SetupLabels, SizeThemselvesToTheTextTheCanvasDraws) {
    CreateScreen();
    RasterCanvas canvas(16, 16);
    for (TShadowLabel* label : {&screen->TextInfo1, &screen->TextInfo2, &screen->TextInfo3}) {
        SCOPED_TRACE(label->Name);
        for (const char* text : {"Acme Widgets", "W", ""}) {
            label->SetCaption(text);
            const TPoint extent = canvas.TextExtent(text, label->Font);
            EXPECT_EQ(label->Width, extent.x + label->ShadowOffset) << text;
            EXPECT_EQ(label->Height, extent.y + label->ShadowOffset) << text;
        }
    }
}

}  // namespace
}  // namespace tavlin::test
