// The setup screen painted from its model on a hosted machine at 1024 x 768: the
// wizard panel, the logo frame, the status panel, and each key of [Setup Screen]
// changing the region of the screen it owns.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "config/config_keys.h"
#include "paint/system_colours.h"
#include "platform/hosted/hosted_pictures.h"
#include "screenshots/raster_canvas.h"
#include "paint/file_pictures.h"
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
    const TRect bottomLine{0, 700, 1024, 768};   // line 4 along the bottom edge
    const TRect wizard{292, 240, 733, 529};
    const TRect header{292, 240, 733, 240 + 2 + 40 + 3};  // the header bar and its line, inside the bevel
    const TRect upperRight{850, 5, 1019, 86};    // a 161 x 73 logo in its frame
    const TRect logoMoved{5, 5, 1019, 768 - 5};  // from the upper right to the bottom left
    const TRect whole{0, 0, 1024, 768};
    const std::string logo = "Logo File=C:\\Art\\logo.gif\r\n";
    using Check = std::function<void(TDisplayScreen&)>;
    struct Case {
        std::string key;
        std::string lines;             // the key's line, beside those of the base screen
        std::optional<TRect> region;   // where the change must lie; nothing: it may reach anywhere
        std::string base;              // lines that both screens have, for a key that needs them to show
        std::optional<WizardPage> page;  // the page the key shows on (else the one the wizard opens on)
        Check model;                   // for a key with no look of its own: what it does instead
        bool next = false;             // press Next on the page before the picture
    };
    // The region of text line n: from its top in the base screen down to the
    // wizard (lines below it move with it), from its shadow's left.
    std::vector<TRect> lineRegions;
    std::vector<Case> cases;
    auto row = [](std::string key, std::string lines, std::optional<TRect> region, std::string base = "",
                  std::optional<WizardPage> page = std::nullopt, Check model = nullptr, bool next = false) {
        return Case{std::move(key), std::move(lines), region, std::move(base), page, std::move(model), next};
    };
    TShadowLabel TDisplayScreen::*labels[] = {&TDisplayScreen::TextInfo1, &TDisplayScreen::TextInfo2,
                                               &TDisplayScreen::TextInfo3, &TDisplayScreen::TextInfo4};
    // The four lines with texts; a case's own lines come first, so that its value
    // of a key is the one read.
    const std::string baseLines =
        "Text Line 1=Acme Widgets\r\nText Line 2=Version 2\r\nText Line 3=The third line\r\n"
        "Text Line 4=Copyright\r\n";
    auto renderWith = [&](const std::string& lines, const Case* c) {
        NewRun();
        installCfg = "[Setup Screen]\r\n" + lines + baseLines;
        product = {{"", "C:\\Art\\logo.gif", GifLogo(161, 73, 0x00C000)},
                   {"", "C:\\Art\\back.bmp", test::Bmp({50, 50, std::vector<std::uint32_t>(2500, 0xFF8000)}, 24, false)}};
        StartWizard();
        if (c && c->page) {
            screen->Notebook1.SetPageIndex(*c->page);
            screen->Notebook1PageChanged();
        }
        if (c && c->next) screen->Next1Click();
        return Render();
    };
    const auto plain = renderWith("", nullptr);
    for (TShadowLabel TDisplayScreen::*label : labels) {
        lineRegions.push_back({6, (screen.get()->*label).Top, 1024, 240});
    }
    lineRegions[3] = bottomLine;
    for (int n = 1; n <= 4; ++n) {
        const std::string key = "Text Line " + std::to_string(n);
        const TRect region = lineRegions[static_cast<std::size_t>(n - 1)];
        TShadowLabel TDisplayScreen::*label = labels[n - 1];
        cases.push_back(row(key, key + "=Changed text\r\n", region));
        cases.push_back(row(key + " Font Name", key + " Font Name=Times New Roman\r\n", region));
        cases.push_back(row(key + " Font Size", key + " Font Size=20\r\n", region));
        // The pitch is read after the size: it changes later conversions between
        // points and pixels, not the height already set.
        cases.push_back(row(key + " Font Pitch", key + " Font Pitch=144\r\n", region, "", std::nullopt,
                         [label](TDisplayScreen& s) { EXPECT_EQ((s.*label).Font.PixelsPerInch, 144); }));
        cases.push_back(row(key + " Font Color", key + " Font Color=255\r\n", region));
        cases.push_back(row(key + " Font Height", key + " Font Height=-20\r\n", region));
        cases.push_back(row(key + " Font Style", key + " Font Style=fsBold,fsUnderline,\r\n", region));
        cases.push_back(row(key + " Shadow Color", key + " Shadow Color=65280\r\n", region));
    }
    auto inState = [](auto check) { return Check([check](TDisplayScreen& s) { check(s.State); }); };
    const Case rest[] = {
        // The look for a previous version happens once the wizard is open, and
        // finds none on this machine.
        row("Uninstall Option", "Uninstall Option=1\r\n", whole, "", std::nullopt,
         inState([](SetupState& st) { EXPECT_TRUE(st.UninstallOption); })),
        row("Uninstall String", "Uninstall String=Acme 0.9\r\n", whole, "", std::nullopt,
         inState([](SetupState& st) { EXPECT_EQ(st.UninstallString, "Acme 0.9"); })),
        row("Uninstall Copy", "Uninstall Copy=1\r\n", whole, "", std::nullopt,
         inState([](SetupState& st) { EXPECT_TRUE(st.UninstallCopy); })),
        row("Center Top", "Center Top=1\r\n", TRect{0, 0, 1024, 240}),
        row("Center Top Start", "Center Top Start=120\r\n", TRect{0, 0, 1024, 240}, "Center Top=1\r\n"),
        row("From Color", "From Color=255\r\n", std::nullopt),
        row("To Color", "To Color=65280\r\n", std::nullopt),
        row("Display Style", "Display Style=Vertical Out\r\n", std::nullopt),
        row("Logo Pos", "Logo Pos=Bottom Left\r\n", logoMoved, logo),
        row("Logo File", logo, upperRight),
        row("Image Border Color", "Image Border Color=255\r\n", upperRight, logo),
        row("BitMap", "BitMap=C:\\Art\\back.bmp\r\n", std::nullopt, "Display Style=Tile Bitmap Image\r\n"),
        row("ReBoot Option", "ReBoot Option=1\r\n", wizard, "", pgFinished),
        row("ReStart Option", "ReStart Option=1\r\n", wizard),
        row("Launch Application", "Launch Application=<InstallDir>\\acme.exe\r\n", wizard, "", pgFinished),
        row("Main Directory", "Main Directory=Elsewhere\r\n", wizard, "", pgDirectory),
        row("16Bit App", "16Bit App=1\r\n", whole, "", std::nullopt,
         inState([](SetupState& st) { EXPECT_TRUE(st.App16Bit); })),
        row("32Bit App", "32Bit App=0\r\n", whole, "", std::nullopt,
         inState([](SetupState& st) { EXPECT_FALSE(st.App32Bit); })),
        row("Under Program Files", "Under Program Files=0\r\n", wizard, "", pgDirectory),
        row("Desktop Folder", "Desktop Folder=Tools\r\n", header, "", pgShortcuts),
        // Next on the folder page goes to the Ready page, past the shortcuts.
        row("Display Desktop Options", "Display Desktop Options=0\r\n", wizard, "", pgDirectory, nullptr, true),
    };
    cases.insert(cases.end(), std::begin(rest), std::end(rest));

    // One row for each of the 53 keys.
    std::vector<std::string> rows, keys;
    for (const Case& c : cases) rows.push_back(c.key);
    for (const auto& info : SetupScreenKeys()) keys.push_back(info.Name);
    EXPECT_EQ(rows.size(), 53u);
    EXPECT_EQ(rows, keys);

    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        const auto base = c.base.empty() && !c.page ? nullptr : renderWith(c.base, &c);
        const auto changed = renderWith(c.lines + c.base, &c);
        const TRect diff = Difference(base ? *base : *plain, *changed);
        if (c.model) {
            c.model(*screen);
            EXPECT_EQ(diff.Width(), 0) << c.key << " changed the screen";
            continue;
        }
        EXPECT_GT(diff.Width(), 0) << c.key << " changed nothing";
        EXPECT_TRUE(Inside(diff, c.region.value_or(whole)))
            << c.key << " changed " << diff.left << "," << diff.top << " - " << diff.right << "," << diff.bottom;
    }
    // Logo Pos moves the frame from the upper right to the bottom left: both
    // places change and nothing else.
    const auto baseWithLogo = renderWith(logo, nullptr);
    const auto moved = renderWith(logo + "Logo Pos=Bottom Left\r\n", nullptr);
    const TRect diff = Difference(*baseWithLogo, *moved);
    EXPECT_EQ(diff.left, 5);
    EXPECT_EQ(diff.top, 5);
    EXPECT_EQ(diff.right, 1019);
    EXPECT_EQ(diff.bottom, 768 - 5);
}

}  // namespace
}  // namespace tavlin
