#include "platform/win32/win32_gdiplus_picture.h"

#include <windows.h>

#include <objidl.h>

#include <gdiplus.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/errors.h"

namespace tavlin::win32 {

namespace {

struct StreamRelease {
    void operator()(IStream* stream) const { stream->Release(); }
};

// A stream over a copy of the bytes, which GDI+ reads the picture from.
std::unique_ptr<IStream, StreamRelease> StreamOf(std::span<const std::uint8_t> bytes) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.empty() ? 1 : bytes.size());
    if (!memory) throw Exception("Out of memory for a picture");
    void* target = GlobalLock(memory);
    if (!target) {
        GlobalFree(memory);
        throw Exception("Out of memory for a picture");
    }
    if (!bytes.empty()) CopyMemory(target, bytes.data(), bytes.size());
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    if (CreateStreamOnHGlobal(memory, TRUE, &stream) != S_OK) {
        GlobalFree(memory);
        throw Exception("Out of memory for a picture");
    }
    return std::unique_ptr<IStream, StreamRelease>(stream);
}

// The pixels of the active frame, rows from the top. Bitmaps are opaque; a GIF's
// transparent index has alpha 0.
PixelImage PixelsOf(Gdiplus::Bitmap& bitmap, bool keepAlpha) {
    PixelImage image;
    image.Width = static_cast<int>(bitmap.GetWidth());
    image.Height = static_cast<int>(bitmap.GetHeight());
    Gdiplus::Rect area(0, 0, image.Width, image.Height);
    Gdiplus::BitmapData data{};
    if (bitmap.LockBits(&area, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok) {
        throw Exception("Invalid picture: its pixels cannot be read");
    }
    image.Pixels.resize(static_cast<std::size_t>(image.Width) * image.Height);
    for (int y = 0; y < image.Height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(data.Scan0) +
                                                                 static_cast<std::ptrdiff_t>(y) * data.Stride);
        for (int x = 0; x < image.Width; ++x) {
            const std::uint32_t p = row[x];
            const bool clear = keepAlpha && (p >> 24) < 128;
            image.Pixels[static_cast<std::size_t>(y) * image.Width + x] = clear ? 0 : (p | 0xFF000000u);
        }
    }
    bitmap.UnlockBits(&data);
    return image;
}

// The frames' delays in milliseconds (GDI+ keeps hundredths of a second).
std::vector<int> DelaysOf(Gdiplus::Bitmap& bitmap, UINT frames) {
    std::vector<int> delays(frames, 0);
    const UINT size = bitmap.GetPropertyItemSize(PropertyTagFrameDelay);
    if (size == 0) return delays;
    std::vector<std::uint8_t> buffer(size);
    auto* item = reinterpret_cast<Gdiplus::PropertyItem*>(buffer.data());
    if (bitmap.GetPropertyItem(PropertyTagFrameDelay, size, item) != Gdiplus::Ok) return delays;
    const auto* values = static_cast<const LONG*>(item->value);
    const UINT count = item->length / sizeof(LONG);
    for (UINT i = 0; i < frames && i < count; ++i) delays[i] = static_cast<int>(values[i]) * 10;
    return delays;
}

}  // namespace

GdiplusPictureDecoder::GdiplusPictureDecoder() {
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok) token_ = token;
}

GdiplusPictureDecoder::~GdiplusPictureDecoder() {
    if (token_) Gdiplus::GdiplusShutdown(token_);
}

DecodedPicture GdiplusPictureDecoder::Decode(PictureFileKind kind, std::span<const std::uint8_t> bytes) const {
    // The same texts as the hosted decoder's.
    const std::string invalid = kind == PictureFileKind::Gif ? "Invalid GIF picture" : "Bitmap image is not valid";
    if (!token_) throw Exception(invalid + ": GDI+ is not available");
    auto stream = StreamOf(bytes);
    Gdiplus::Bitmap bitmap(stream.get());
    if (bitmap.GetLastStatus() != Gdiplus::Ok) throw Exception(invalid + ": no image");
    // GDI+ reads other formats too; a file of another kind is refused, as a
    // decoder of that one kind refuses it.
    GUID format{};
    bitmap.GetRawFormat(&format);
    const GUID& wanted = kind == PictureFileKind::Gif ? Gdiplus::ImageFormatGIF : Gdiplus::ImageFormatBMP;
    if (format != wanted) throw Exception(invalid + ": another kind of picture");

    DecodedPicture decoded;
    UINT frames = 1;
    if (kind == PictureFileKind::Gif) {
        frames = bitmap.GetFrameCount(&Gdiplus::FrameDimensionTime);
        if (frames == 0) frames = 1;
    }
    const std::vector<int> delays = DelaysOf(bitmap, frames);
    for (UINT i = 0; i < frames; ++i) {
        if (frames > 1 && bitmap.SelectActiveFrame(&Gdiplus::FrameDimensionTime, i) != Gdiplus::Ok) {
            throw Exception("Invalid GIF picture: a frame cannot be read");
        }
        decoded.Frames.push_back({PixelsOf(bitmap, kind == PictureFileKind::Gif), delays[i]});
    }
    return decoded;
}

}  // namespace tavlin::win32
