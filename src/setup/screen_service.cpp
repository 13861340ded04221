#include "setup/screen_service.h"

#include <memory>

#include "controls/text_metrics.h"
#include "support/font_styles.h"

namespace tavlin {

ScreenFont ScreenFontOf(const TFont& font) {
    ScreenFont screenFont;
    screenFont.Name = font.Name;
    screenFont.CharacterHeight = CharacterHeight(font);
    screenFont.Bold = (font.Style & fsBold) != 0;
    screenFont.Italic = (font.Style & fsItalic) != 0;
    screenFont.Underline = (font.Style & fsUnderline) != 0;
    screenFont.StrikeOut = (font.Style & fsStrikeOut) != 0;
    return screenFont;
}

TPoint ScreenTextMeasurer::Measure(const TFont& font, std::string_view text) {
    const TextExtent extent = screen_.measureText(ScreenFontOf(font), text);
    return {extent.Width, extent.Height};
}

void UseScreen(TApplication& application, Screen& screen) {
    application.ScreenWidth = screen.width();
    application.ScreenHeight = screen.height();
    application.ScreenDpi = screen.dpi();
}

}  // namespace tavlin
