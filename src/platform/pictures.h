// Pictures with pixels, as a picture decoder of the platform gives them: every
// frame of a GIF with its delay, or the one image of a bitmap. Pixels are
// 0xAARRGGBB with alpha 0 (a GIF's transparent index) or 255.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tavlin {

struct PixelImage {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint32_t> Pixels;  // row by row from the top, Width * Height entries

    bool Empty() const { return Width <= 0 || Height <= 0; }
    std::uint32_t At(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
};

struct PictureFrame {
    PixelImage Image;  // the whole picture as it shows while this frame is on screen
    int DelayMs = 0;   // how long it stays before the next frame
};

struct DecodedPicture {
    std::vector<PictureFrame> Frames;  // at least one

    // What the picture shows when it does not play: its first frame.
    const PixelImage& First() const { return Frames.front().Image; }
};

enum class PictureFileKind { Bmp, Gif };

// Turns the bytes of a picture file into pixels. Raises Exception (platform/errors.h)
// when the bytes are not a picture of that kind.
class PictureDecoder {
public:
    virtual ~PictureDecoder() = default;
    virtual DecodedPicture Decode(PictureFileKind kind, std::span<const std::uint8_t> bytes) const = 0;
};

}  // namespace tavlin
