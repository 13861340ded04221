#include "platform/win32/win32_screen.h"

#include <windows.h>

#include <memory>
#include <type_traits>

#include "platform/errors.h"
#include "platform/win32/win32_font.h"

namespace tavlin::win32 {

namespace {

struct ScreenDcReleaser {
    void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};
using ScreenDc = std::unique_ptr<std::remove_pointer_t<HDC>, ScreenDcReleaser>;

struct FontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
};
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

ScreenDc screenDc() {
    ScreenDc dc(GetDC(nullptr));
    if (!dc) throw Exception("The screen cannot be reached");
    return dc;
}

}  // namespace

int Win32Screen::width() { return GetSystemMetrics(SM_CXSCREEN); }
int Win32Screen::height() { return GetSystemMetrics(SM_CYSCREEN); }

int Win32Screen::dpi() {
    const ScreenDc dc = screenDc();
    return GetDeviceCaps(dc.get(), LOGPIXELSY);
}

TextExtent Win32Screen::measureText(const ScreenFont& font, std::string_view text) {
    const ScreenDc dc = screenDc();
    // A negative height asks for the character height without the leading.
    UniqueFont created(
        CreateGdiFont({font.Name, -font.CharacterHeight, font.Bold, font.Italic, font.Underline, font.StrikeOut}));
    if (!created) throw Exception("The font " + font.Name + " cannot be made");
    const HGDIOBJ previous = SelectObject(dc.get(), created.get());
    TextExtent extent;
    TEXTMETRICA metrics{};
    if (GetTextMetricsA(dc.get(), &metrics)) extent.Height = metrics.tmHeight;
    SIZE size{};
    if (!text.empty() && GetTextExtentPoint32A(dc.get(), text.data(), static_cast<int>(text.size()), &size)) {
        extent.Width = size.cx;
        extent.Height = size.cy;
    }
    SelectObject(dc.get(), previous);
    return extent;
}

}  // namespace tavlin::win32
