// The hosted machine's screen: its size and DPI from machine.ini, and text measured
// with the same fonts the hosted canvas draws with.
#pragma once

#include <memory>

#include "platform/screen.h"

namespace tavlin::hosted {

class HostFonts;

class HostedScreen : public Screen {
public:
    HostedScreen(int width, int height, int dpi);
    ~HostedScreen() override;

    int width() override { return width_; }
    int height() override { return height_; }
    int dpi() override { return dpi_; }
    TextExtent measureText(const ScreenFont& font, std::string_view text) override;

private:
    int width_, height_, dpi_;
    // Made on the first measurement: most runs of the machine never measure.
    std::unique_ptr<HostFonts> fonts_;
};

}  // namespace tavlin::hosted
