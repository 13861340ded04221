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

// GDI+ from its start to its end.
class GdiplusSession {
public:
    GdiplusSession() {
        Gdiplus::GdiplusStartupInput input;
        if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) token_ = 0;
    }
    ~GdiplusSession() {
        if (token_) Gdiplus::GdiplusShutdown(token_);
    }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    bool Started() const { return token_ != 0; }

private:
    ULONG_PTR token_ = 0;
};

// The pixels of every frame; the bitmap object goes before the session ends.
DecodedPicture Frames(PictureFileKind kind, std::span<const std::uint8_t> bytes, const std::string& invalid) {
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

}  // namespace

DecodedPicture GdiplusPictureDecoder::Decode(PictureFileKind kind, std::span<const std::uint8_t> bytes) const {
    // The same texts as the hosted decoder's.
    const std::string invalid = kind == PictureFileKind::Gif ? "Invalid GIF picture" : "Bitmap image is not valid";
    const GdiplusSession session;
    if (!session.Started()) throw Exception(invalid + ": GDI+ is not available");
    return Frames(kind, bytes, invalid);
}

}  // namespace tavlin::win32
