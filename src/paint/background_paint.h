// The background panel's painting: a plain panel, then its style's gradient of
// 100 filled rectangles, or its picture stretched or tiled.
#pragma once

#include "controls/picture_controls.h"
#include "paint/paint_context.h"

namespace tavlin {

// Paints the panel with its top-left corner at origin.
void PaintGradPan(PaintContext& context, const TGradPan& panel, TPoint origin);

}  // namespace tavlin
