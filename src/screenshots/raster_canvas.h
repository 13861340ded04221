// The hosted canvas: an RGB raster in memory drawn by cairo, with text laid out
// by pango in the fonts the hosted machine resolves, written out as PNG. Pixels
// can be read back, which is what the pixel tests do.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "paint/canvas.h"
#include "platform/hosted/hosted_fonts.h"

typedef struct _cairo_surface cairo_surface_t;

namespace tavlin {

class RasterCanvas : public Canvas {
public:
    RasterCanvas(int width, int height);
    ~RasterCanvas() override;
    RasterCanvas(const RasterCanvas&) = delete;
    RasterCanvas& operator=(const RasterCanvas&) = delete;

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void FillRect(const TRect& rect, TColor colour) override;
    void Line(TPoint from, TPoint to, TColor colour) override;
    void DrawPicture(const PixelImage& picture, const TRect& rect, PictureDrawing how,
                     TColor transparentColour) override;
    void DrawText(TPoint at, std::string_view text, const TFont& font, TColor colour) override;
    TPoint TextExtent(std::string_view text, const TFont& font) override;
    void PushClip(const TRect& rect) override;
    void PopClip() override;

    // The colour at a pixel, 0x00BBGGRR.
    TColor Pixel(int x, int y) const;
    // A fingerprint of every pixel, to tell whether two pictures differ.
    std::uint64_t Fingerprint() const;
    // Writes the raster as a PNG file on the host; raises Exception when it cannot.
    void WritePng(const std::string& hostPath) const;

private:
    cairo_surface_t* SurfaceOf(const PixelImage& picture, bool keyed, TColor key);

    int width_;
    int height_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
    hosted::HostFonts fonts_;
    int clips_ = 0;
    // Pictures made into cairo surfaces, by picture and transparent colour.
    std::map<std::tuple<const PixelImage*, bool, TColor>, cairo_surface_t*> surfaces_;
};

}  // namespace tavlin
