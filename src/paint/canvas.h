// The surface the setup screen is painted on: filled rectangles, lines, pictures
// and text. The paint code is written once against it; the hosted machine draws
// into a raster, a Windows front end into a device context. Colours given to a
// canvas are plain 0x00BBGGRR values (system colours are resolved before).
#pragma once

#include <string_view>

#include "controls/control.h"
#include "platform/pictures.h"

namespace tavlin {

enum class PictureDrawing {
    Plain,        // at the rectangle's top-left corner, at the picture's own size, clipped to it
    Stretched,    // scaled to fill the rectangle
    Transparent,  // as Plain; pixels of the transparent colour leave what is behind them
};

class Canvas {
public:
    virtual ~Canvas() = default;

    virtual int Width() const = 0;
    virtual int Height() const = 0;

    // Fills the rectangle (right and bottom edges excluded).
    virtual void FillRect(const TRect& rect, TColor colour) = 0;
    // A line from one point towards another, the end point left out (as LineTo).
    virtual void Line(TPoint from, TPoint to, TColor colour) = 0;
    virtual void DrawPicture(const PixelImage& picture, const TRect& rect, PictureDrawing how,
                             TColor transparentColour = 0) = 0;
    // One line of Windows-1252 text whose cell's top-left corner is at, without a
    // background of its own.
    virtual void DrawText(TPoint at, std::string_view text, const TFont& font, TColor colour) = 0;
    // Width and height of the text's cell in that font.
    virtual TPoint TextExtent(std::string_view text, const TFont& font) = 0;

    // Limits drawing to the rectangle (within any limit already set) until PopClip.
    virtual void PushClip(const TRect& rect) = 0;
    virtual void PopClip() = 0;
};

}  // namespace tavlin
