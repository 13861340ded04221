#include "platform/hosted/hosted_pictures.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "platform/errors.h"

namespace tavlin::hosted {

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;

// giflib reads through a callback; this is the memory it reads from.
struct GifInput {
    std::span<const std::uint8_t> bytes;
    std::size_t at = 0;
};

int ReadGifBytes(GifFileType* gif, GifByteType* into, int wanted) {
    auto* input = static_cast<GifInput*>(gif->UserData);
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(std::max(wanted, 0)),
                                                input->bytes.size() - input->at);
    std::memcpy(into, input->bytes.data() + input->at, n);
    input->at += n;
    return static_cast<int>(n);
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

// The frames of a GIF: each frame drawn over what the previous frame's disposal
// left, starting from a transparent screen.
DecodedPicture DecodeGif(std::span<const std::uint8_t> bytes) {
    GifInput input{bytes};
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&input, ReadGifBytes, &error));
    if (!gif) throw Exception(std::string("Invalid GIF picture: ") + GifErrorString(error));
    if (DGifSlurp(gif.get()) != GIF_OK && gif->ImageCount == 0) {
        throw Exception(std::string("Invalid GIF picture: ") + GifErrorString(gif->Error));
    }
    const int width = gif->SWidth;
    const int height = gif->SHeight;
    if (width <= 0 || height <= 0 || gif->ImageCount <= 0 || width > 0xFFFF || height > 0xFFFF) {
        throw Exception("Invalid GIF picture: no image");
    }
    DecodedPicture picture;
    std::vector<std::uint32_t> screen(static_cast<std::size_t>(width) * height, 0);
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& image = gif->SavedImages[i];
        GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
        DGifSavedExtensionToGCB(gif.get(), i, &control);  // keeps the defaults when the frame has none
        const ColorMapObject* colours = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
        if (!colours || !image.RasterBits) throw Exception("Invalid GIF picture: a frame without colours");
        const std::vector<std::uint32_t> before = screen;
        const GifImageDesc& at = image.ImageDesc;
        for (int y = 0; y < at.Height; ++y) {
            const int sy = at.Top + y;
            if (sy < 0 || sy >= height) continue;
            for (int x = 0; x < at.Width; ++x) {
                const int sx = at.Left + x;
                if (sx < 0 || sx >= width) continue;
                const int index = image.RasterBits[static_cast<std::size_t>(y) * at.Width + x];
                if (index == control.TransparentColor || index >= colours->ColorCount) continue;
                const GifColorType& c = colours->Colors[index];
                screen[static_cast<std::size_t>(sy) * width + sx] =
                    kOpaque | static_cast<std::uint32_t>(c.Red) << 16 | static_cast<std::uint32_t>(c.Green) << 8 |
                    c.Blue;
            }
        }
        picture.Frames.push_back({PixelImage{width, height, screen}, control.DelayTime * 10});
        if (control.DisposalMode == DISPOSE_BACKGROUND) {
            for (int y = std::max(0, at.Top); y < std::min(height, at.Top + at.Height); ++y) {
                for (int x = std::max(0, at.Left); x < std::min(width, at.Left + at.Width); ++x) {
                    screen[static_cast<std::size_t>(y) * width + x] = 0;
                }
            }
        } else if (control.DisposalMode == DISPOSE_PREVIOUS) {
            screen = before;
        }
    }
    return picture;
}

struct GObjectUnref {
    void operator()(void* object) const { g_object_unref(object); }
};

// A bitmap through gdk-pixbuf: every depth and both row orders. Windows ignores the
// fourth byte of a 32-bit bitmap, so every pixel is opaque.
DecodedPicture DecodeBmp(std::span<const std::uint8_t> bytes) {
    GError* error = nullptr;
    std::unique_ptr<GdkPixbufLoader, GObjectUnref> loader(gdk_pixbuf_loader_new_with_type("bmp", &error));
    if (!loader) {
        const std::string text = error ? error->message : "no BMP loader";
        if (error) g_error_free(error);
        throw Exception("Bitmap image is not valid: " + text);
    }
    const bool written = gdk_pixbuf_loader_write(loader.get(), bytes.data(), bytes.size(), &error);
    const bool closed = gdk_pixbuf_loader_close(loader.get(), written ? &error : nullptr);
    GdkPixbuf* pixbuf = gdk_pixbuf_loader_get_pixbuf(loader.get());
    if (!written || !closed || !pixbuf) {
        const std::string text = error ? error->message : "no image";
        if (error) g_error_free(error);
        throw Exception("Bitmap image is not valid: " + text);
    }
    const int width = gdk_pixbuf_get_width(pixbuf);
    const int height = gdk_pixbuf_get_height(pixbuf);
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    const int channels = gdk_pixbuf_get_n_channels(pixbuf);
    const guchar* data = gdk_pixbuf_read_pixels(pixbuf);
    PixelImage image{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
    for (int y = 0; y < height; ++y) {
        const guchar* row = data + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < width; ++x) {
            const guchar* p = row + static_cast<std::size_t>(x) * channels;
            image.Pixels[static_cast<std::size_t>(y) * width + x] =
                kOpaque | static_cast<std::uint32_t>(p[0]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 | p[2];
        }
    }
    DecodedPicture picture;
    picture.Frames.push_back({std::move(image), 0});
    return picture;
}

}  // namespace

DecodedPicture HostedPictureDecoder::Decode(PictureFileKind kind, std::span<const std::uint8_t> bytes) const {
    return kind == PictureFileKind::Gif ? DecodeGif(bytes) : DecodeBmp(bytes);
}

}  // namespace tavlin::hosted
