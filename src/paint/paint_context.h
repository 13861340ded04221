// What the paint code draws with: the canvas, and where the pixels of a model
// picture come from (files the front end loaded, or the program's own pictures).
#pragma once

#include <cstddef>

#include "controls/picture_controls.h"
#include "paint/canvas.h"

namespace tavlin {

class PicturePlayer;

// Finds the pixels of a picture named by file; nullptr when there are none (the
// picture then draws nothing).
class PictureSource {
public:
    virtual ~PictureSource() = default;
    virtual const DecodedPicture* Find(const TPicture& picture) = 0;
};

struct PaintContext {
    Canvas& canvas;
    PictureSource* pictures = nullptr;
    // The button that Enter presses, drawn with the heavy frame of a default button.
    const TControl* defaultButton = nullptr;

    // Which frame the playing images show; without it every picture shows its first.
    const PicturePlayer* player = nullptr;

    // A frame of a picture (the first when it has fewer): the program's own for
    // "res:" names, else the source's; nullptr when it has no pixels.
    const PixelImage* Pixels(const TPicture& picture, std::size_t frame = 0) const;
    // What an image shows now.
    const PixelImage* Pixels(const TImage& image) const;
};

}  // namespace tavlin
