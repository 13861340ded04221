#include "screenshots/raster_canvas.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>

#include "controls/layout.h"
#include "platform/errors.h"
#include "setup/screen_service.h"

namespace tavlin {

namespace {

void SetColour(cairo_t* cr, TColor colour) {
    cairo_set_source_rgb(cr, RedOf(colour) / 255.0, GreenOf(colour) / 255.0, BlueOf(colour) / 255.0);
}

}  // namespace

RasterCanvas::RasterCanvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height)),
      cr_(cairo_create(surface_)) {
    if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) {
        throw Exception("Cannot make a raster of " + std::to_string(width) + " x " + std::to_string(height));
    }
    // Rectangles and lines land on whole pixels, as on a Windows device context.
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
    FillRect({0, 0, width, height}, 0);
}

RasterCanvas::~RasterCanvas() {
    for (auto& [key, surface] : surfaces_) cairo_surface_destroy(surface);
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

void RasterCanvas::FillRect(const TRect& rect, TColor colour) {
    if (rect.Width() <= 0 || rect.Height() <= 0) return;
    SetColour(cr_, colour);
    cairo_rectangle(cr_, rect.left, rect.top, rect.Width(), rect.Height());
    cairo_fill(cr_);
}

void RasterCanvas::Line(TPoint from, TPoint to, TColor colour) {
    // Straight lines as rectangles one pixel wide; the end point is left out.
    if (from.y == to.y) {
        const int left = from.x < to.x ? from.x : to.x + 1;
        const int right = from.x < to.x ? to.x : from.x + 1;
        FillRect({left, from.y, right, from.y + 1}, colour);
        return;
    }
    if (from.x == to.x) {
        const int top = from.y < to.y ? from.y : to.y + 1;
        const int bottom = from.y < to.y ? to.y : from.y + 1;
        FillRect({from.x, top, from.x + 1, bottom}, colour);
        return;
    }
    SetColour(cr_, colour);
    cairo_set_line_width(cr_, 1.0);
    cairo_move_to(cr_, from.x + 0.5, from.y + 0.5);
    cairo_line_to(cr_, to.x + 0.5, to.y + 0.5);
    cairo_stroke(cr_);
}

cairo_surface_t* RasterCanvas::SurfaceOf(const PixelImage& picture, bool keyed, TColor key) {
    const auto id = std::make_tuple(&picture, keyed, keyed ? key : 0);
    if (auto found = surfaces_.find(id); found != surfaces_.end()) return found->second;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, picture.Width, picture.Height);
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const std::uint32_t keyArgb = static_cast<std::uint32_t>(RedOf(key)) << 16 |
                                  static_cast<std::uint32_t>(GreenOf(key)) << 8 | BlueOf(key);
    for (int y = 0; y < picture.Height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::size_t>(y) * stride);
        for (int x = 0; x < picture.Width; ++x) {
            std::uint32_t p = picture.At(x, y);
            // Pixels are either opaque or fully transparent, so premultiplying is
            // choosing between the pixel and nothing.
            if ((p >> 24) == 0 || (keyed && (p & 0xFFFFFF) == keyArgb)) p = 0;
            row[x] = p;
        }
    }
    cairo_surface_mark_dirty(surface);
    surfaces_.emplace(id, surface);
    return surface;
}

void RasterCanvas::DrawPicture(const PixelImage& picture, const TRect& rect, PictureDrawing how,
                               TColor transparentColour) {
    if (picture.Empty() || rect.Width() <= 0 || rect.Height() <= 0) return;
    cairo_surface_t* surface = SurfaceOf(picture, how == PictureDrawing::Transparent, transparentColour);
    cairo_save(cr_);
    cairo_rectangle(cr_, rect.left, rect.top, rect.Width(), rect.Height());
    cairo_clip(cr_);
    cairo_translate(cr_, rect.left, rect.top);
    if (how == PictureDrawing::Stretched) {
        cairo_scale(cr_, static_cast<double>(rect.Width()) / picture.Width,
                    static_cast<double>(rect.Height()) / picture.Height);
    }
    cairo_set_source_surface(cr_, surface, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_NEAREST);
    cairo_rectangle(cr_, 0, 0, picture.Width, picture.Height);
    cairo_fill(cr_);
    cairo_restore(cr_);
}

void RasterCanvas::DrawText(TPoint at, std::string_view text, const TFont& font, TColor colour) {
    if (text.empty()) return;
    PangoLayout* layout = fonts_.NewLayout(cr_, ScreenFontOf(font), text);
    SetColour(cr_, colour);
    cairo_move_to(cr_, at.x, at.y);
    pango_cairo_show_layout(cr_, layout);
    g_object_unref(layout);
}

TPoint RasterCanvas::TextExtent(std::string_view text, const TFont& font) {
    // The same conversion and fonts as the screen service, so that a label that
    // sized itself to its text fits the drawn text exactly.
    const tavlin::TextExtent size = fonts_.Measure(ScreenFontOf(font), text);
    return {size.Width, size.Height};
}

void RasterCanvas::PushClip(const TRect& rect) {
    cairo_save(cr_);
    cairo_rectangle(cr_, rect.left, rect.top, std::max(0, rect.Width()), std::max(0, rect.Height()));
    cairo_clip(cr_);
    ++clips_;
}

void RasterCanvas::PopClip() {
    if (clips_ == 0) return;
    cairo_restore(cr_);
    --clips_;
}

TColor RasterCanvas::Pixel(int x, int y) const {
    cairo_surface_flush(surface_);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    const std::uint32_t p = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::size_t>(y) * stride)[x];
    return Rgb((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

std::uint64_t RasterCanvas::Fingerprint() const {
    cairo_surface_flush(surface_);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    const std::size_t size = static_cast<std::size_t>(cairo_image_surface_get_stride(surface_)) * height_;
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (std::size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 1099511628211ull;
    return hash;
}

void RasterCanvas::WritePng(const std::string& hostPath) const {
    const cairo_status_t status = cairo_surface_write_to_png(surface_, hostPath.c_str());
    if (status != CAIRO_STATUS_SUCCESS) {
        throw Exception("Cannot write " + hostPath + ": " + cairo_status_to_string(status));
    }
}

}  // namespace tavlin
