// The hosted machine's picture decoder: GIF files through giflib, every frame
// composed the way a browser shows it, and bitmaps through gdk-pixbuf's BMP loader.
#pragma once

#include "platform/pictures.h"

namespace tavlin::hosted {

class HostedPictureDecoder : public PictureDecoder {
public:
    DecodedPicture Decode(PictureFileKind kind, std::span<const std::uint8_t> bytes) const override;
};

}  // namespace tavlin::hosted
