// Picture files made by the tests, byte for byte as the formats define them: BMP
// files of each depth in both row orders, and GIF files written with giflib.
#pragma once

#include <gif_lib.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace tavlin::test {

// A picture as rows from the top, 0xRRGGBB.
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

inline void Put16(std::string& out, int v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}
inline void Put32(std::string& out, std::int64_t v) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A BMP file with a BITMAPINFOHEADER; 1, 4 and 8 bits use a palette of the
// picture's colours, 32 bits leave the fourth byte 0 (Windows ignores it).
inline std::string Bmp(const RgbPicture& picture, int bits, bool topDown) {
    std::vector<std::uint32_t> palette;
    if (bits <= 8) {
        for (std::uint32_t p : picture.pixels) {
            if (std::find(palette.begin(), palette.end(), p) == palette.end()) palette.push_back(p);
        }
        if (palette.size() > (1u << bits)) throw std::logic_error("too many colours for the depth");
    }
    const int stride = (picture.width * bits + 31) / 32 * 4;
    std::string data;
    for (int row = 0; row < picture.height; ++row) {
        const int y = topDown ? row : picture.height - 1 - row;
        std::string line(static_cast<std::size_t>(stride), '\0');
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t p = picture.at(x, y);
            if (bits <= 8) {
                const int index = static_cast<int>(std::find(palette.begin(), palette.end(), p) - palette.begin());
                const int bit = x * bits;
                line[bit / 8] = static_cast<char>(line[bit / 8] | (index << (8 - bits - bit % 8)));
            } else {
                const std::size_t at = static_cast<std::size_t>(x) * (bits / 8);
                line[at] = static_cast<char>(p & 0xFF);
                line[at + 1] = static_cast<char>((p >> 8) & 0xFF);
                line[at + 2] = static_cast<char>((p >> 16) & 0xFF);
            }
        }
        data += line;
    }
    const int paletteBytes = static_cast<int>(palette.size()) * 4;
    std::string out = "BM";
    Put32(out, 14 + 40 + paletteBytes + static_cast<int>(data.size()));
    Put32(out, 0);
    Put32(out, 14 + 40 + paletteBytes);
    Put32(out, 40);
    Put32(out, picture.width);
    Put32(out, topDown ? -picture.height : picture.height);
    Put16(out, 1);
    Put16(out, bits);
    Put32(out, 0);
    Put32(out, static_cast<int>(data.size()));
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, static_cast<int>(palette.size()));
    Put32(out, 0);
    for (std::uint32_t p : palette) Put32(out, p & 0xFFFFFF);  // blue, green, red, 0
    return out + data;
}

struct GifFrame {
    std::vector<std::uint8_t> indexes;  // one per pixel of the whole screen
    int delayCentiseconds = 0;
    int transparentIndex = -1;
};

inline int AppendGifBytes(GifFileType* gif, const GifByteType* bytes, int length) {
    static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(bytes), length);
    return length;
}

// A GIF of full-screen frames over a palette of 0xRRGGBB colours (at most 256).
inline std::string Gif(int width, int height, const std::vector<std::uint32_t>& palette,
                       const std::vector<GifFrame>& frames) {
    std::string out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, AppendGifBytes, &error);
    if (!gif) throw std::runtime_error("EGifOpen failed");
    int size = 2;
    while (size < static_cast<int>(palette.size())) size *= 2;
    std::vector<GifColorType> colours(static_cast<std::size_t>(size), GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < palette.size(); ++i) {
        colours[i] = {static_cast<GifByteType>(palette[i] >> 16), static_cast<GifByteType>(palette[i] >> 8),
                      static_cast<GifByteType>(palette[i])};
    }
    ColorMapObject* map = GifMakeMapObject(size, colours.data());
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, width, height, 8, 0, map);
    for (const GifFrame& frame : frames) {
        GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, frame.delayCentiseconds, frame.transparentIndex};
        GifByteType extension[4];
        const std::size_t length = EGifGCBToExtension(&control, extension);
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension);
        EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr);
        for (int y = 0; y < height; ++y) {
            EGifPutLine(gif, const_cast<GifByteType*>(frame.indexes.data() + static_cast<std::size_t>(y) * width),
                        width);
        }
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return out;
}

}  // namespace tavlin::test
