#include "paint/builtin_pictures.h"

#include <array>
#include <cstdint>

namespace tavlin {

namespace {

// 0xAARRGGBB of a pixel-art letter; '.' is transparent.
std::uint32_t ArtColour(char c) {
    switch (c) {
        case 'K': return 0xFF000000;
        case 'W': return 0xFFFFFFFF;
        case 'B': return 0xFF000080;
        case 'C': return 0xFF008080;
        case 'G': return 0xFFC0C0C0;
        case 'D': return 0xFF808080;
        case 'E': return 0xFF00FF00;
        case 'Y': return 0xFFFFFF00;
        default: return 0;
    }
}

// Pixel art of 16 x 16 letters, each drawn as scale x scale pixels.
PixelImage FromArt(const std::array<const char*, 16>& rows, int scale) {
    PixelImage image{16 * scale, 16 * scale, {}};
    image.Pixels.resize(static_cast<std::size_t>(image.Width) * image.Height);
    for (int y = 0; y < image.Height; ++y) {
        for (int x = 0; x < image.Width; ++x) {
            image.Pixels[static_cast<std::size_t>(y) * image.Width + x] = ArtColour(rows[y / scale][x / scale]);
        }
    }
    return image;
}

// A computer with its screen and system unit.
constexpr std::array<const char*, 16> kComputer = {
    "................", "..KKKKKKKKKKKK..", "..KWWWWWWWWWWK..", "..KWBBBBBBBBWK..",
    "..KWBCCCCCCBWK..", "..KWBCCCCCCBWK..", "..KWBCCCCCCBWK..", "..KWBBBBBBBBWK..",
    "..KWWWWWWWWWWK..", "..KKKKKKKKKKKK..", "......KDDK......", "...KKKKKKKKKK...",
    "..KGGGGGGGGGGK..", "..KGGGGGGGGEGK..", "..KKKKKKKKKKKK..", "................",
};

// A program's window.
constexpr std::array<const char*, 16> kProgram = {
    "................", ".KKKKKKKKKKKKKK.", ".KBBBBBBBBBBGGK.", ".KKKKKKKKKKKKKK.",
    ".KWWWWWWWWWWWWK.", ".KWWWWWWWWWWWWK.", ".KWGGGGGGWWWWWK.", ".KWWWWWWWWWWWWK.",
    ".KWGGGGWWWWWWWK.", ".KWWWWWWWWWWWWK.", ".KWGGGGGGGWWWWK.", ".KWWWWWWWWWWWWK.",
    ".KWWWWWWWWWWWWK.", ".KKKKKKKKKKKKKK.", "................", "................",
};

// A calm tile: deep blue with a lighter and a darker diagonal weave.
PixelImage BackgroundTile() {
    PixelImage image{50, 50, std::vector<std::uint32_t>(2500)};
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 50; ++x) {
            int r = 0x18, g = 0x38, b = 0x88;
            if ((x + y) % 25 < 2) r += 0x30, g += 0x40, b += 0x50;
            if ((x + 50 - y) % 25 == 0) r -= 0x10, g -= 0x20, b -= 0x40;
            image.Pixels[static_cast<std::size_t>(y) * 50 + x] = 0xFF000000u | static_cast<std::uint32_t>(r) << 16 |
                                                                 static_cast<std::uint32_t>(g) << 8 |
                                                                 static_cast<std::uint32_t>(b);
        }
    }
    return image;
}

}  // namespace

const PixelImage* BuiltInPicture(std::string_view name) {
    // Made once, on first use, and never changed.
    static const PixelImage background = BackgroundTile();
    static const PixelImage computer = FromArt(kComputer, 2);
    static const PixelImage program = FromArt(kProgram, 1);
    if (name == kBackgroundResource) return &background;
    if (name == kSetupIconResource) return &computer;
    if (name == kProgramIconResource) return &program;
    return nullptr;
}

}  // namespace tavlin
