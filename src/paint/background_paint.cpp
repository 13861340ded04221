#include "paint/background_paint.h"

#include "paint/builtin_pictures.h"
#include "paint/system_colours.h"

namespace tavlin {

namespace {

TRect Moved(const TRect& r, TPoint by) { return {r.left + by.x, r.top + by.y, r.right + by.x, r.bottom + by.y}; }

}  // namespace

void PaintGradPan(PaintContext& context, const TGradPan& panel, TPoint origin) {
    Canvas& canvas = context.canvas;
    // First the plain panel (the background has no bevel and no caption).
    canvas.FillRect({origin.x, origin.y, origin.x + panel.Width, origin.y + panel.Height}, PlainColour(panel.Color));

    // The panel's picture; an empty file name is the program's own picture.
    const PixelImage* picture = nullptr;
    if (!panel.Bitmap.Empty()) {
        picture = panel.Bitmap.FileName.empty() ? BuiltInPicture(kBackgroundResource) : context.Pixels(panel.Bitmap);
    }
    // The plan follows the model's picture size; a picture whose pixels are
    // missing paints as an empty one.
    const int pictureWidth = picture ? panel.Bitmap.Width : 0;
    const int pictureHeight = picture ? panel.Bitmap.Height : 0;
    const auto plan = BackgroundPaintPlan(panel.BackGroundEffect, panel.Width, panel.Height, panel.ColorStart,
                                          panel.ColorEnd, pictureWidth, pictureHeight);
    canvas.PushClip({origin.x, origin.y, origin.x + panel.Width, origin.y + panel.Height});
    for (const PaintStep& step : plan) {
        const TRect rect = Moved(step.rect, origin);
        if (step.kind == PaintStep::Kind::Fill) {
            canvas.FillRect(rect, PlainColour(step.color));
        } else if (panel.BackGroundEffect == bdStretchImage) {
            canvas.DrawPicture(*picture, rect, PictureDrawing::Stretched);
        } else {
            canvas.DrawPicture(*picture, rect, PictureDrawing::Plain);
        }
    }
    canvas.PopClip();
}

}  // namespace tavlin
