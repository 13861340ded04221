// The paint code's canvas on a window's back buffer. It only translates: the
// drawing itself is the platform's (platform/win32/win32_screen_window.h), so
// that no Windows call happens outside the platform folder.
#pragma once

#include "paint/canvas.h"
#include "platform/win32/win32_screen_window.h"

namespace tavlin {

// A model font as the platform's window draws it.
win32::SurfaceFont SurfaceFontOf(const TFont& font);

class GdiCanvas : public Canvas {
public:
    explicit GdiCanvas(win32::ScreenWindow& window) : window_(window) {}

    int Width() const override { return window_.width(); }
    int Height() const override { return window_.height(); }
    void FillRect(const TRect& rect, TColor colour) override;
    void Line(TPoint from, TPoint to, TColor colour) override;
    void DrawPicture(const PixelImage& picture, const TRect& rect, PictureDrawing how,
                     TColor transparentColour = 0) override;
    void DrawText(TPoint at, std::string_view text, const TFont& font, TColor colour) override;
    TPoint TextExtent(std::string_view text, const TFont& font) override;
    void PushClip(const TRect& rect) override;
    void PopClip() override;

private:
    win32::ScreenWindow& window_;
};

}  // namespace tavlin
