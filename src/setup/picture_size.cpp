#include "setup/picture_size.h"

#include <array>
#include <cstdlib>
#include <cstring>

#include "platform/file_system.h"

namespace tavlin {

namespace {

std::uint32_t Little16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at] | b[at + 1] << 8);
}

std::int32_t Little32(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
                                     static_cast<std::uint32_t>(b[at + 2]) << 16 |
                                     static_cast<std::uint32_t>(b[at + 3]) << 24);
}

std::optional<TPoint> Positive(long long width, long long height) {
    if (width <= 0 || height <= 0 || width > 0xFFFF || height > 0xFFFF) return std::nullopt;
    return TPoint{static_cast<int>(width), static_cast<int>(height)};
}

}  // namespace

std::optional<TPoint> PictureSizeFromHeader(PictureFormat format, std::span<const std::uint8_t> header) {
    if (format == PictureFormat::Gif) {
        // "GIF87a" or "GIF89a", then the logical screen's width and height.
        if (header.size() < 10 || std::memcmp(header.data(), "GIF8", 4) != 0 ||
            (header[4] != '7' && header[4] != '9') || header[5] != 'a') {
            return std::nullopt;
        }
        return Positive(Little16(header, 6), Little16(header, 8));
    }
    // "BM", the file header (14 bytes), then the info header whose first field is
    // its own size: 12 for the old core header with 16-bit sizes, else 32-bit sizes
    // with a negative height for pictures stored top-down.
    if (header.size() < 26 || header[0] != 'B' || header[1] != 'M') return std::nullopt;
    const std::int32_t infoSize = Little32(header, 14);
    if (infoSize == 12) return Positive(Little16(header, 18), Little16(header, 20));
    if (infoSize < 40) return std::nullopt;
    return Positive(Little32(header, 18), std::llabs(static_cast<long long>(Little32(header, 22))));
}

TPicture LoadPicture(FileSystem& files, const std::string& path, PictureFormat format) {
    auto stream = files.openRead(path);
    std::array<std::uint8_t, 26> header{};
    std::size_t got = 0;
    while (got < header.size()) {
        const std::size_t n = stream->read(header.data() + got, header.size() - got);
        if (n == 0) break;
        got += n;
    }
    const auto size = PictureSizeFromHeader(format, std::span(header.data(), got));
    if (!size) {
        throw EInvalidGraphic(format == PictureFormat::Gif ? "Invalid GIF picture " + path
                                                           : "Bitmap image is not valid");
    }
    TPicture picture;
    picture.FileName = path;
    picture.Width = size->x;
    picture.Height = size->y;
    picture.Animated = format == PictureFormat::Gif;
    return picture;
}

}  // namespace tavlin
