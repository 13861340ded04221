// Picture sizes from GIF and BMP headers, which place the logo.
#include <gtest/gtest.h>

#include <vector>

#include "setup/picture_size.h"

namespace tavlin {
namespace {

std::vector<std::uint8_t> Gif(const char* version, int width, int height) {
    std::vector<std::uint8_t> bytes = {'G', 'I', 'F', '8', static_cast<std::uint8_t>(version[0]), 'a'};
    for (int v : {width, height}) {
        bytes.push_back(static_cast<std::uint8_t>(v & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    bytes.resize(13, 0);
    return bytes;
}

std::vector<std::uint8_t> Bmp(int infoSize, std::int32_t width, std::int32_t height) {
    std::vector<std::uint8_t> bytes(54, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    auto put32 = [&](std::size_t at, std::int32_t v) {
        for (int k = 0; k < 4; ++k) bytes[at + k] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * k));
    };
    put32(14, infoSize);
    if (infoSize == 12) {
        bytes[18] = static_cast<std::uint8_t>(width & 0xFF);
        bytes[19] = static_cast<std::uint8_t>(width >> 8);
        bytes[20] = static_cast<std::uint8_t>(height & 0xFF);
        bytes[21] = static_cast<std::uint8_t>(height >> 8);
    } else {
        put32(18, width);
        put32(22, height);
    }
    return bytes;
}

TEST(PictureSize, ReadsTheSizeFromEachHeaderKind) {
    struct Case {
        const char* what;
        PictureFormat format;
        std::vector<std::uint8_t> header;
        std::optional<TPoint> size;
    };
    const Case cases[] = {
        {"GIF89a", PictureFormat::Gif, Gif("9", 161, 73), TPoint{161, 73}},
        {"GIF87a", PictureFormat::Gif, Gif("7", 300, 2), TPoint{300, 2}},
        {"GIF with zero width", PictureFormat::Gif, Gif("9", 0, 73), std::nullopt},
        {"GIF version 88", PictureFormat::Gif, Gif("8", 10, 10), std::nullopt},
        {"a BMP read as GIF", PictureFormat::Gif, Bmp(40, 10, 10), std::nullopt},
        {"BMP info header", PictureFormat::Bmp, Bmp(40, 50, 50), TPoint{50, 50}},
        {"BMP stored top-down", PictureFormat::Bmp, Bmp(40, 120, -80), TPoint{120, 80}},
        {"BMP version 5 header", PictureFormat::Bmp, Bmp(124, 7, 9), TPoint{7, 9}},
        {"BMP core header", PictureFormat::Bmp, Bmp(12, 640, 480), TPoint{640, 480}},
        {"BMP with a bad header size", PictureFormat::Bmp, Bmp(20, 5, 5), std::nullopt},
        {"BMP of negative width", PictureFormat::Bmp, Bmp(40, -5, 5), std::nullopt},
        {"a GIF read as BMP", PictureFormat::Bmp, Gif("9", 10, 10), std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PictureSizeFromHeader(c.format, c.header), c.size) << c.what;
    }
}

TEST(PictureSize, TruncatedHeadersGiveNoSize) {
    const auto gif = Gif("9", 161, 73);
    const auto bmp = Bmp(40, 50, 50);
    EXPECT_FALSE(PictureSizeFromHeader(PictureFormat::Gif, std::span(gif.data(), 9)));
    EXPECT_FALSE(PictureSizeFromHeader(PictureFormat::Bmp, std::span(bmp.data(), 25)));
    EXPECT_FALSE(PictureSizeFromHeader(PictureFormat::Bmp, {}));
}

}  // namespace
}  // namespace tavlin
