// Fonts on the hosted machine: a Windows font name resolves to a metric-compatible
// font that fontconfig finds (Arial and Times to Liberation, Verdana to DejaVu
// Sans, Comic Sans MS to Comic Neue, MS Sans Serif to a sans font), and text is
// laid out and measured with pango in exactly the font it is drawn in.
#pragma once

#include <string>
#include <string_view>

#include "platform/screen.h"

typedef struct _PangoContext PangoContext;
typedef struct _PangoLayout PangoLayout;
typedef struct _cairo cairo_t;

namespace tavlin::hosted {

// A font as a Windows program asks for it: the screen service's own.
using HostFontRequest = ScreenFont;

// The family fontconfig is asked for in place of a Windows font name; other names
// pass unchanged.
std::string HostFontFamily(const std::string& windowsName);

// Lays out and measures one line of Windows-1252 text. Holds a pango context of
// its own; one per canvas or screen service.
class HostFonts {
public:
    HostFonts();
    ~HostFonts();
    HostFonts(const HostFonts&) = delete;
    HostFonts& operator=(const HostFonts&) = delete;

    // Width and height of the text's line (an empty text is one line high).
    TextExtent Measure(const HostFontRequest& font, std::string_view text);
    // A layout of the text for drawing into cr, with the same font and metrics as
    // Measure; the caller unrefs it.
    PangoLayout* NewLayout(cairo_t* cr, const HostFontRequest& font, std::string_view text);

private:
    PangoContext* context_;
};

}  // namespace tavlin::hosted
