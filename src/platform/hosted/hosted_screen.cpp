#include "platform/hosted/hosted_screen.h"

#include "platform/hosted/hosted_fonts.h"

namespace tavlin::hosted {

HostedScreen::HostedScreen(int width, int height, int dpi) : width_(width), height_(height), dpi_(dpi) {}
HostedScreen::~HostedScreen() = default;

TextExtent HostedScreen::measureText(const ScreenFont& font, std::string_view text) {
    if (!fonts_) fonts_ = std::make_unique<HostFonts>();
    return fonts_->Measure(font, text);
}

}  // namespace tavlin::hosted
