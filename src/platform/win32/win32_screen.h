// The primary screen from user32 and gdi32: its size, its logical DPI, and text
// measured on a screen DC in a created font.
#pragma once

#include "platform/screen.h"

namespace tavlin::win32 {

class Win32Screen : public Screen {
public:
    int width() override;
    int height() override;
    int dpi() override;
    TextExtent measureText(const ScreenFont& font, std::string_view text) override;
};

}  // namespace tavlin::win32
