// The size of a logo or background picture, read from the header of its GIF or
// BMP file; the pixels are left to whoever draws them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "controls/picture_controls.h"
#include "platform/errors.h"

namespace tavlin {

class FileSystem;

// A file that is not a picture of the format asked for.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

enum class PictureFormat { Gif, Bmp };

// The size that a GIF or BMP header gives; nothing when the bytes are not the
// header of that format or give no positive size.
std::optional<TPoint> PictureSizeFromHeader(PictureFormat format, std::span<const std::uint8_t> header);

// Loads a picture of that format: the file's name and size. Raises EFOpenError when
// the file cannot be opened and EInvalidGraphic when it is not a picture of that
// format.
TPicture LoadPicture(FileSystem& files, const std::string& path, PictureFormat format);

}  // namespace tavlin
