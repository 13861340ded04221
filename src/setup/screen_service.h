// The setup's model on the platform's screen: the forms are laid out for the
// screen's size and DPI, and labels that size themselves are measured in the
// fonts the screen draws with.
#pragma once

#include <string_view>

#include "controls/application.h"
#include "platform/screen.h"

namespace tavlin {

// The model's font as the screen is asked for it (the character height in pixels
// and the style bits apart).
ScreenFont ScreenFontOf(const TFont& font);

class ScreenTextMeasurer : public TTextMeasurer {
public:
    explicit ScreenTextMeasurer(Screen& screen) : screen_(screen) {}
    TPoint Measure(const TFont& font, std::string_view text) override;

private:
    Screen& screen_;
};

// Takes the screen's size and DPI into the application and attaches the screen's
// text measurement; before the setup makes its forms.
void UseScreen(TApplication& application, Screen& screen);

}  // namespace tavlin
