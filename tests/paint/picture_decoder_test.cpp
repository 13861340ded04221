// Picture files become pixels: bitmaps of every depth in both row orders, and
// GIF files with every frame, its delay and its transparent colour.
#include <gtest/gtest.h>

#include "platform/hosted/hosted_pictures.h"
#include "platform/errors.h"
#include "test_pictures.h"

namespace tavlin {
namespace {

using test::RgbPicture;

std::span<const std::uint8_t> Bytes(const std::string& s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

// A 5 x 3 picture whose rows and columns all differ, in two colours so that even
// the 1-bit depth can hold it; wide enough that rows need padding.
RgbPicture TwoColours() {
    RgbPicture p{5, 3, {}};
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) p.pixels.push_back(((x + 2 * y) % 3 == 0) ? 0xFF2000 : 0x0040C0);
    }
    return p;
}

// Fifteen colours, one per pixel.
RgbPicture ManyColours() {
    RgbPicture p{5, 3, {}};
    for (int i = 0; i < 15; ++i) p.pixels.push_back(static_cast<std::uint32_t>(0x101010 * i + 0x030201 * (i % 4)));
    return p;
}

TEST(PictureDecoder, BitmapsOfEveryDepthInBothRowOrders) {
    struct Case {
        int bits;
        bool topDown;
        RgbPicture picture;
    };
    const Case cases[] = {
        {1, false, TwoColours()},  {1, true, TwoColours()},   {4, false, ManyColours()},
        {4, true, ManyColours()},  {8, false, ManyColours()}, {8, true, ManyColours()},
        {24, false, ManyColours()}, {24, true, ManyColours()}, {32, false, ManyColours()},
        {32, true, ManyColours()},
    };
    hosted::HostedPictureDecoder decoder;
    for (const Case& c : cases) {
        const std::string file = test::Bmp(c.picture, c.bits, c.topDown);
        const DecodedPicture decoded = decoder.Decode(PictureFileKind::Bmp, Bytes(file));
        ASSERT_EQ(decoded.Frames.size(), 1u);
        const PixelImage& image = decoded.First();
        ASSERT_EQ(image.Width, c.picture.width);
        ASSERT_EQ(image.Height, c.picture.height);
        for (int y = 0; y < image.Height; ++y) {
            for (int x = 0; x < image.Width; ++x) {
                // Every pixel opaque, the 32-bit depth's zero fourth byte too.
                EXPECT_EQ(image.At(x, y), 0xFF000000u | c.picture.at(x, y))
                    << c.bits << " bits, top-down " << c.topDown << " at " << x << "," << y;
            }
        }
    }
}

TEST(PictureDecoder, GifFramesWithDelaysAndTransparency) {
    // Two 2 x 2 frames: red, green, blue and a transparent corner, then all green.
    const std::vector<std::uint32_t> palette = {0xFF0000, 0x00FF00, 0x0000FF, 0x000000};
    const std::string file = test::Gif(2, 2, palette, {{{0, 1, 2, 3}, 10, 3}, {{1, 1, 1, 1}, 25, -1}});
    hosted::HostedPictureDecoder decoder;
    const DecodedPicture decoded = decoder.Decode(PictureFileKind::Gif, Bytes(file));
    ASSERT_EQ(decoded.Frames.size(), 2u);
    EXPECT_EQ(decoded.Frames[0].DelayMs, 100);
    EXPECT_EQ(decoded.Frames[1].DelayMs, 250);
    const PixelImage& first = decoded.First();
    EXPECT_EQ(first.At(0, 0), 0xFFFF0000u);
    EXPECT_EQ(first.At(1, 0), 0xFF00FF00u);
    EXPECT_EQ(first.At(0, 1), 0xFF0000FFu);
    EXPECT_EQ(first.At(1, 1) >> 24, 0u) << "the transparent index lets the background show";
    EXPECT_EQ(decoded.Frames[1].Image.At(1, 1), 0xFF00FF00u);
}

TEST(PictureDecoder, DamagedFilesRaise) {
    hosted::HostedPictureDecoder decoder;
    const std::string bmp = test::Bmp(TwoColours(), 24, false);
    const std::string gif = test::Gif(2, 2, {0, 0xFFFFFF}, {{{0, 1, 1, 0}, 0, -1}});
    struct Case {
        PictureFileKind kind;
        std::string bytes;
    };
    const Case cases[] = {
        {PictureFileKind::Bmp, ""},
        {PictureFileKind::Bmp, "BM"},
        {PictureFileKind::Bmp, bmp.substr(0, 30)},
        {PictureFileKind::Gif, "GIF89a"},
        {PictureFileKind::Gif, gif.substr(0, 13)},
        {PictureFileKind::Gif, bmp},
    };
    for (const Case& c : cases) {
        EXPECT_THROW(decoder.Decode(c.kind, Bytes(c.bytes)), Exception) << c.bytes.size() << " bytes";
    }
}

}  // namespace
}  // namespace tavlin
