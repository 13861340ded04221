#include "controls/picture_controls.h"

namespace tavlin {

void TImage::SetPicture(TPicture picture) {
    Picture = std::move(picture);
    if (AutoSize && !Picture.Empty()) {
        Width = Picture.Width;
        Height = Picture.Height;
    }
}

std::vector<PaintStep> TGradPan::PaintPlan() const {
    return BackgroundPaintPlan(BackGroundEffect, Width, Height, ColorStart, ColorEnd, Bitmap.Width, Bitmap.Height);
}

}  // namespace tavlin
