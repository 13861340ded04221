// Animated pictures play frame after frame, each for its delay, from when the
// image starts to play, and the paint code draws the frame that is on.
#include <gtest/gtest.h>

#include "paint/control_paint.h"
#include "paint/picture_player.h"
#include "screenshots/raster_canvas.h"

namespace tavlin {
namespace {

// A picture of one pixel per frame, the frame's colour, with these delays.
DecodedPicture Frames(std::initializer_list<std::pair<std::uint32_t, int>> frames) {
    DecodedPicture picture;
    for (const auto& [colour, delay] : frames) picture.Frames.push_back({PixelImage{1, 1, {colour}}, delay});
    return picture;
}

// The logo as the setup has it once the expansion has ended.
void MakePlaying(TImage& image) {
    image.SetBounds(0, 0, 1, 1);
    image.Picture = TPicture{"C:\\logo.gif", 1, 1, true};
    image.Animate = true;
}

TEST(PicturePlayer, ShowsEachFrameForItsDelayRoundAndRound) {
    // The middle frame says no delay: it stays the unset delay's 100 ms.
    const DecodedPicture picture = Frames({{0xFFFF0000, 300}, {0xFF00FF00, 0}, {0xFF0000FF, 500}});
    TImage logo("LogoImage");
    MakePlaying(logo);
    PicturePlayer player;
    struct Step {
        std::int64_t now;
        std::size_t frame;
        bool changed;
        std::int64_t next;
    };
    const Step steps[] = {
        {1000, 0, false, 1300},  // starts with its first frame
        {1299, 0, false, 1300},
        {1300, 1, true, 1400},
        {1400, 2, true, 1900},
        {1899, 2, false, 1900},
        {1900, 0, true, 2200},  // and again from the first
        {2260, 1, true, 2300},
        // Five rounds of 900 ms later, and 660 ms into the sixth: where the time
        // has taken it, without the frames it missed.
        {1900 + 5 * 900 + 660, 2, true, 1900 + 5 * 900 + 900},
    };
    for (const Step& step : steps) {
        EXPECT_EQ(player.Update(logo, &picture, step.now), step.changed) << step.now;
        EXPECT_EQ(player.FrameOf(logo), step.frame) << step.now;
        EXPECT_EQ(player.NextChange(), step.next) << step.now;
    }
}

TEST(PicturePlayer, PlaysOnlyAnAnimatedPictureOfFramesOnScreenThatIsToldTo) {
    const DecodedPicture two = Frames({{0xFFFF0000, 100}, {0xFF00FF00, 100}});
    const DecodedPicture one = Frames({{0xFFFF0000, 100}});
    struct Case {
        const char* what;
        void (*change)(TImage&);
        const DecodedPicture* picture;
    };
    const Case cases[] = {
        {"not told to animate", [](TImage& image) { image.Animate = false; }, &two},
        {"hidden", [](TImage& image) { image.Hide(); }, &two},
        {"a still picture", [](TImage& image) { image.Picture = TPicture{"C:\\logo.bmp", 1, 1, false}; }, &two},
        {"one frame", [](TImage&) {}, &one},
        {"no pixels", [](TImage&) {}, nullptr},
    };
    for (const Case& c : cases) {
        TImage logo("LogoImage");
    MakePlaying(logo);
        c.change(logo);
        PicturePlayer player;
        for (std::int64_t now : {0, 100, 250}) EXPECT_FALSE(player.Update(logo, c.picture, now)) << c.what;
        EXPECT_EQ(player.FrameOf(logo), 0u) << c.what;
        EXPECT_EQ(player.NextChange(), std::nullopt) << c.what;
    }
    // Stopped while on its second frame, it shows its first again; started anew,
    // it begins from its first.
    TImage logo("LogoImage");
    MakePlaying(logo);
    PicturePlayer player;
    player.Update(logo, &two, 0);
    player.Update(logo, &two, 150);
    ASSERT_EQ(player.FrameOf(logo), 1u);
    logo.Animate = false;
    EXPECT_TRUE(player.Update(logo, &two, 160));
    EXPECT_EQ(player.FrameOf(logo), 0u);
    logo.Animate = true;
    EXPECT_FALSE(player.Update(logo, &two, 170));
    EXPECT_EQ(player.NextChange(), 270);
}

class OnePicture : public PictureSource {
public:
    explicit OnePicture(DecodedPicture picture) : picture_(std::move(picture)) {}
    const DecodedPicture* Find(const TPicture&) override { return &picture_; }

private:
    DecodedPicture picture_;
};

TEST(PicturePlayer, ThePaintCodeDrawsTheFrameThatIsOn) {
    OnePicture source(Frames({{0xFFFF0000, 100}, {0xFF00FF00, 100}}));
    TImage logo("LogoImage");
    MakePlaying(logo);
    PicturePlayer player;
    RasterCanvas canvas(1, 1);
    PaintContext context{canvas, &source};
    PaintImage(context, logo, {0, 0});
    EXPECT_EQ(canvas.Pixel(0, 0), Rgb(255, 0, 0)) << "without a player, the first frame";
    context.player = &player;
    player.Update(logo, source.Find(logo.Picture), 0);
    player.Update(logo, source.Find(logo.Picture), 100);
    PaintImage(context, logo, {0, 0});
    EXPECT_EQ(canvas.Pixel(0, 0), Rgb(0, 255, 0));
}

}  // namespace
}  // namespace tavlin
