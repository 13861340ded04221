#include "frontend/win32/gdi_canvas.h"

namespace tavlin {

namespace {

win32::SurfaceRect Of(const TRect& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

}  // namespace

win32::SurfaceFont SurfaceFontOf(const TFont& font) {
    win32::SurfaceFont spec;
    spec.name = font.Name;
    spec.height = font.Height;
    const std::uint8_t style = font.Style;
    spec.bold = style & 1;
    spec.italic = style & 2;
    spec.underline = style & 4;
    spec.strikeOut = style & 8;
    return spec;
}

void GdiCanvas::FillRect(const TRect& rect, TColor colour) { window_.fillRect(Of(rect), colour); }

void GdiCanvas::Line(TPoint from, TPoint to, TColor colour) { window_.line(from.x, from.y, to.x, to.y, colour); }

void GdiCanvas::DrawPicture(const PixelImage& picture, const TRect& rect, PictureDrawing how,
                            TColor transparentColour) {
    if (picture.Empty()) return;
    window_.drawPixels(picture.Pixels.data(), picture.Width, picture.Height, Of(rect), how == PictureDrawing::Stretched,
                       how == PictureDrawing::Transparent, transparentColour);
}

void GdiCanvas::DrawText(TPoint at, std::string_view text, const TFont& font, TColor colour) {
    window_.text(at.x, at.y, text, SurfaceFontOf(font), colour);
}

TPoint GdiCanvas::TextExtent(std::string_view text, const TFont& font) {
    TPoint size;
    window_.textExtent(text, SurfaceFontOf(font), size.x, size.y);
    return size;
}

void GdiCanvas::PushClip(const TRect& rect) { window_.pushClip(Of(rect)); }

void GdiCanvas::PopClip() { window_.popClip(); }

}  // namespace tavlin
