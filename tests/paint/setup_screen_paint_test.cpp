// The setup screen painted from its model on a hosted machine at 1024 x 768: the
// wizard panel, the logo frame, the status panel, and each key of [Setup Screen]
// changing the region of the screen it owns.
#include <gtest/gtest.h>

#include <optional>

#include "paint/system_colours.h"
#include "platform/hosted/hosted_pictures.h"
#include "screenshots/raster_canvas.h"
#include "screenshots/file_pictures.h"
#include "screenshots/screen_picture.h"
#include "setup/setup_fixture.h"
#include "test_pictures.h"

namespace tavlin {
namespace {

using test::Config;

const TColor kFace = Rgb(0xC0, 0xC0, 0xC0);
const TColor kShadow = Rgb(0x80, 0x80, 0x80);
const TColor kWhite = Rgb(0xFF, 0xFF, 0xFF);

// A GIF logo of one colour.
std::string GifLogo(int width, int height, std::uint32_t rgb) {
    return test::Gif(width, height, {rgb, 0},
                     {{std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height, 0), 0, -1}});
}

class ScreenPaint : public test::SetupFixture {
protected:
    std::unique_ptr<RasterCanvas> Render() {
        auto canvas = std::make_unique<RasterCanvas>(application->ScreenWidth, application->ScreenHeight);
        FilePictureSource pictures(files(), decoder);
        PaintContext context{*canvas, &pictures};
        PaintSetupScreen(context, *screen);
        return canvas;
    }
    hosted::HostedPictureDecoder decoder;
};

TEST_F(ScreenPaint, WizardPanelSitsAt292And240) {
    installCfg = Config("");
    StartWizard();
    ASSERT_TRUE(screen->Wizard.Showing());
    auto canvas = Render();
    // 441 x 289 with a raised bevel: white along the top and left, grey along the
    // bottom and right, the screen's background just outside.
    EXPECT_EQ(canvas->Pixel(292, 240), kWhite);
    EXPECT_EQ(canvas->Pixel(292, 240 + 288), kShadow);
    EXPECT_EQ(canvas->Pixel(292 + 440, 240 + 288), kShadow);
    EXPECT_EQ(canvas->Pixel(292 + 440, 240 + 100), kShadow);
    for (const TPoint outside : {TPoint{291, 300}, TPoint{300, 239}, TPoint{733, 300}, TPoint{300, 529}}) {
        const TColor c = canvas->Pixel(outside.x, outside.y);
        EXPECT_NE(c, kWhite) << outside.x << "," << outside.y;
        EXPECT_NE(c, kShadow) << outside.x << "," << outside.y;
    }
}

TEST_F(ScreenPaint, UpperRightPutsA169WideLogoFrameAt850And5) {
    installCfg = Config("Logo File=C:\\Art\\logo.gif\r\nLogo Pos=Upper Right\r\n");
    product = {{"", "C:\\Art\\logo.gif", GifLogo(161, 73, 0xFF8000)}};
    StartWizard();
    auto canvas = Render();
    const TColor logo = Rgb(0xFF, 0x80, 0x00);
    // Raised outer bevel, a border of 2 in the border colour (button face), the
    // lowered inner bevel, then the picture 4 pixels from each edge.
    EXPECT_EQ(canvas->Pixel(850, 5), kWhite);
    EXPECT_EQ(canvas->Pixel(850 + 168, 5 + 80), kShadow);
    EXPECT_EQ(canvas->Pixel(851, 6), kFace);
    EXPECT_EQ(canvas->Pixel(852, 7), kFace);
    EXPECT_EQ(canvas->Pixel(853, 8), kShadow);
    EXPECT_EQ(canvas->Pixel(850 + 165, 5 + 77), kWhite);
    EXPECT_EQ(canvas->Pixel(854, 9), logo);
    EXPECT_EQ(canvas->Pixel(854 + 160, 9 + 72), logo);
    EXPECT_NE(canvas->Pixel(849, 40), kWhite);
    EXPECT_NE(canvas->Pixel(1019, 40), kShadow);
}

TEST_F(ScreenPaint, StatusPanelForInstallingFilesIs250Wide) {
    installCfg = Config("");
    StartWizard();
    screen->Wizard.Hide();
    screen->SetStatusCaption("Installing Files");
    screen->InstallStatus.Show();
    auto canvas = Render();
    // Centred: left 512 - 125, top 384 - 65 div 2.
    const int left = 387, top = 352;
    for (int x = left; x < left + 250; ++x) ASSERT_EQ(canvas->Pixel(x, top + 2), kFace) << x;
    EXPECT_NE(canvas->Pixel(left - 1, top + 2), kFace);
    EXPECT_NE(canvas->Pixel(left + 250, top + 2), kFace);
    EXPECT_NE(canvas->Pixel(left + 100, top - 1), kFace);
    EXPECT_NE(canvas->Pixel(left + 100, top + 65), kFace);
}

// The rectangle of pixels that differ between two pictures; empty when none do.
TRect Difference(const RasterCanvas& a, const RasterCanvas& b) {
    TRect box{a.Width(), a.Height(), 0, 0};
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            if (a.Pixel(x, y) == b.Pixel(x, y)) continue;
            box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                   std::max(box.bottom, y + 1)};
        }
    }
    return box.right == 0 ? TRect{} : box;
}

bool Inside(const TRect& inner, const TRect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

TEST_F(ScreenPaint, EachKeyOfTheScreenSectionChangesTheRegionItOwns) {
    const TRect textLines{0, 0, 1024, 240};      // the three lines at the top (they stay above the wizard)
    const TRect bottomLine{0, 700, 1024, 768};   // line 4 along the bottom edge
    const TRect wizard{292, 240, 733, 529};
    const TRect upperRight{850, 5, 1019, 86};    // a 161 x 73 logo in its frame
    const TRect whole{0, 0, 1024, 768};
    const std::string logo = "Logo File=C:\\Art\\logo.gif\r\n";
    struct Case {
        const char* key;
        std::string lines;   // the key's line, beside those of the base screen
        std::optional<TRect> region;  // where the change must lie; nothing: it may reach anywhere
        bool shows = true;            // false: the key has no visible effect on this screen
    };
    const Case cases[] = {
        {"Text Line 1", "Text Line 1=Other Widgets\r\n", textLines},
        {"Text Line 2", "Text Line 2=Version 3\r\n", textLines},
        {"Text Line 3", "Text Line 3=Another third line\r\n", textLines},
        {"Text Line 4", "Text Line 4=All rights kept\r\n", bottomLine},
        {"Text Line 1 Font Name", "Text Line 1 Font Name=Times New Roman\r\n", textLines},
        {"Text Line 2 Font Size", "Text Line 2 Font Size=20\r\n", textLines},
        {"Text Line 1 Font Height", "Text Line 1 Font Height=-20\r\n", textLines},
        // The pitch is read after the size: it changes later conversions, not the
        // height already set.
        {"Text Line 3 Font Pitch", "Text Line 3 Font Pitch=144\r\n", textLines, false},
        {"Text Line 1 Font Color", "Text Line 1 Font Color=255\r\n", textLines},
        {"Text Line 2 Font Style", "Text Line 2 Font Style=fsBold,\r\n", textLines},
        {"Text Line 1 Shadow Color", "Text Line 1 Shadow Color=65280\r\n", textLines},
        {"Text Line 4 Shadow Color", "Text Line 4 Shadow Color=255\r\n", bottomLine},
        {"Center Top", "Center Top=1\r\n", textLines},
        {"Center Top Start", "Center Top=1\r\nCenter Top Start=120\r\n", textLines},
        {"From Color", "From Color=255\r\n", std::nullopt},
        {"To Color", "To Color=65280\r\n", std::nullopt},
        {"Display Style", "Display Style=Vertical Out\r\n", std::nullopt},
        {"Logo File", logo, upperRight},
        {"Image Border Color", logo + "Image Border Color=255\r\n", upperRight},
        {"Main Directory", "Main Directory=Elsewhere\r\n", wizard},
        {"Under Program Files", "Under Program Files=0\r\n", wizard},
        {"ReStart Option", "ReStart Option=1\r\n", wizard},
        {"16Bit App", "16Bit App=1\r\n", whole, false},
        {"32Bit App", "32Bit App=0\r\n", whole, false},
        {"Uninstall Copy", "Uninstall Copy=1\r\n", whole, false},
        {"Uninstall String", "Uninstall String=Acme 0.9\r\n", whole, false},
        {"ReBoot Option", "ReBoot Option=1\r\n", whole, false},  // shows on the Finished page only
    };
    // The four lines with texts; a case's own lines come first, so that its value
    // of a key is the one read.
    const std::string baseLines =
        "Text Line 1=Acme Widgets\r\nText Line 2=Version 2\r\nText Line 3=The third line\r\n"
        "Text Line 4=Copyright\r\n";
    auto renderWith = [&](const std::string& lines) {
        NewRun();
        installCfg = "[Setup Screen]\r\n" + lines + baseLines;
        product = {{"", "C:\\Art\\logo.gif", GifLogo(161, 73, 0x00C000)}};
        StartWizard();
        return Render();
    };
    const auto base = renderWith("");
    // The base screen with a logo, for the keys that change the logo.
    const auto baseWithLogo = renderWith(logo);
    for (const Case& c : cases) {
        const bool aboutTheLogo = c.lines.find("Image Border") != std::string::npos;
        const auto changed = renderWith(c.lines);
        const TRect diff = Difference(aboutTheLogo ? *baseWithLogo : *base, *changed);
        if (!c.shows) {
            EXPECT_EQ(diff.Width(), 0) << c.key << " changed the screen";
            continue;
        }
        EXPECT_GT(diff.Width(), 0) << c.key << " changed nothing";
        if (c.region) {
            EXPECT_TRUE(Inside(diff, *c.region))
                << c.key << " changed " << diff.left << "," << diff.top << " - " << diff.right << "," << diff.bottom;
        } else {
            EXPECT_TRUE(Inside(diff, whole));
        }
    }
    // Logo Pos moves the frame from the upper right to the bottom left: both
    // places change and nothing else.
    const auto moved = renderWith(logo + "Logo Pos=Bottom Left\r\n");
    const TRect diff = Difference(*baseWithLogo, *moved);
    EXPECT_EQ(diff.left, 5);
    EXPECT_EQ(diff.top, 5);
    EXPECT_EQ(diff.right, 1019);
    EXPECT_EQ(diff.bottom, 768 - 5);
}

}  // namespace
}  // namespace tavlin
