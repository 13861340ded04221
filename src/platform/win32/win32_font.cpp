#include "platform/win32/win32_font.h"

namespace tavlin::win32 {

HFONT CreateGdiFont(const SurfaceFont& font) {
    return CreateFontA(font.height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic, font.underline,
                       font.strikeOut, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, font.name.c_str());
}

}  // namespace tavlin::win32
