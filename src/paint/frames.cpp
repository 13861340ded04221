#include "paint/frames.h"

#include "paint/system_colours.h"

namespace tavlin {

void Frame3D(Canvas& canvas, TRect& rect, TColor topLeft, TColor bottomRight, int width) {
    const TColor top = PlainColour(topLeft);
    const TColor bottom = PlainColour(bottomRight);
    for (int i = 0; i < width && rect.Width() > 0 && rect.Height() > 0; ++i) {
        const int r = rect.right - 1;
        const int b = rect.bottom - 1;
        canvas.FillRect({rect.left, rect.top, r, rect.top + 1}, top);
        canvas.FillRect({rect.left, rect.top, rect.left + 1, b + 1}, top);
        canvas.FillRect({r, rect.top, r + 1, b + 1}, bottom);
        canvas.FillRect({rect.left, b, r + 1, b + 1}, bottom);
        rect = {rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    }
}

void DrawEdge(Canvas& canvas, TRect& rect, Edge edge) {
    switch (edge) {
        case Edge::Raised:
            Frame3D(canvas, rect, cl3DLight, cl3DDkShadow, 1);
            Frame3D(canvas, rect, clBtnHighlight, clBtnShadow, 1);
            return;
        case Edge::Button:
            Frame3D(canvas, rect, clBtnHighlight, cl3DDkShadow, 1);
            Frame3D(canvas, rect, cl3DLight, clBtnShadow, 1);
            return;
        case Edge::Pressed:
            Frame3D(canvas, rect, cl3DDkShadow, cl3DDkShadow, 1);
            Frame3D(canvas, rect, clBtnShadow, clBtnShadow, 1);
            return;
        case Edge::Sunken:
            Frame3D(canvas, rect, clBtnShadow, clBtnHighlight, 1);
            Frame3D(canvas, rect, cl3DDkShadow, cl3DLight, 1);
            return;
        case Edge::SunkenThin:
            Frame3D(canvas, rect, clBtnShadow, clBtnHighlight, 1);
            return;
        case Edge::Etched:
            // A white frame one pixel down and right, under a grey frame one pixel smaller.
            FrameRect(canvas, {rect.left + 1, rect.top + 1, rect.right, rect.bottom}, clBtnHighlight);
            FrameRect(canvas, {rect.left, rect.top, rect.right - 1, rect.bottom - 1}, clBtnShadow);
            rect = {rect.left + 2, rect.top + 2, rect.right - 2, rect.bottom - 2};
            return;
    }
}

void FrameRect(Canvas& canvas, const TRect& rect, TColor colour) {
    const TColor c = PlainColour(colour);
    if (rect.Width() <= 0 || rect.Height() <= 0) return;
    canvas.FillRect({rect.left, rect.top, rect.right, rect.top + 1}, c);
    canvas.FillRect({rect.left, rect.bottom - 1, rect.right, rect.bottom}, c);
    canvas.FillRect({rect.left, rect.top, rect.left + 1, rect.bottom}, c);
    canvas.FillRect({rect.right - 1, rect.top, rect.right, rect.bottom}, c);
}

}  // namespace tavlin
