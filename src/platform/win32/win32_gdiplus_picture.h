// Picture files decoded by GDI+, which is part of Windows: every frame of a GIF
// with its delay and its transparent colour, and bitmaps of every depth.
#pragma once

#include <cstdint>

#include "platform/pictures.h"

namespace tavlin::win32 {

class GdiplusPictureDecoder : public PictureDecoder {
public:
    GdiplusPictureDecoder();
    ~GdiplusPictureDecoder() override;
    GdiplusPictureDecoder(const GdiplusPictureDecoder&) = delete;
    GdiplusPictureDecoder& operator=(const GdiplusPictureDecoder&) = delete;

    DecodedPicture Decode(PictureFileKind kind, std::span<const std::uint8_t> bytes) const override;

private:
    std::uintptr_t token_ = 0;
};

}  // namespace tavlin::win32
