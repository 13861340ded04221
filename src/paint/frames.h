// Bevels, frames and the classic three-dimensional edges of buttons and fields.
#pragma once

#include "paint/canvas.h"

namespace tavlin {

// width nested one-pixel frames: the top and left sides in one colour, the bottom
// and right sides in the other (which also takes the two corners where they
// meet); rect shrinks by width on each side.
void Frame3D(Canvas& canvas, TRect& rect, TColor topLeft, TColor bottomRight, int width);

enum class Edge {
    Raised,      // a raised two-pixel edge (windows, dialog frames)
    Button,      // a push button at rest
    Pressed,     // a pressed button
    Sunken,      // a field: edits, memos, list views, check boxes
    SunkenThin,  // one pixel: the progress bar, the status bar
    Etched,      // a group box's frame or a dividing line
};

// Draws the edge just inside rect and shrinks rect past it.
void DrawEdge(Canvas& canvas, TRect& rect, Edge edge);

// A filled one-pixel frame.
void FrameRect(Canvas& canvas, const TRect& rect, TColor colour);

}  // namespace tavlin
