// Picture files decoded by GDI+, which is part of Windows: every frame of a GIF
// with its delay and its transparent colour, and bitmaps of every depth.
#pragma once

#include "platform/pictures.h"

namespace tavlin::win32 {

// GDI+ runs only while a picture is decoded: the program keeps no GDI+ thread,
// and ends as quickly as before (its self-removal batch file races its exit).
class GdiplusPictureDecoder : public PictureDecoder {
public:
    DecodedPicture Decode(PictureFileKind kind, std::span<const std::uint8_t> bytes) const override;
};

}  // namespace tavlin::win32
