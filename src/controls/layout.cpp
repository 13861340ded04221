#include "controls/layout.h"

#include <cstdlib>

namespace tavlin {

TPoint CentredIn(int outerWidth, int outerHeight, int width, int height) {
    return {outerWidth / 2 - width / 2, outerHeight / 2 - height / 2};
}

int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const long long product = static_cast<long long>(a) * b;
    const long long half = std::llabs(c) / 2;
    const bool negative = (product < 0) != (c < 0);
    const long long magnitude = (std::llabs(product) + half) / std::llabs(c);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

std::array<TColor, 100> ColourRamp(TColor from, TColor to) {
    std::array<TColor, 100> ramp{};
    const int a[3] = {RedOf(from), GreenOf(from), BlueOf(from)};
    const int b[3] = {RedOf(to), GreenOf(to), BlueOf(to)};
    for (int i = 0; i < 100; ++i) {
        int channel[3];
        for (int k = 0; k < 3; ++k) {
            const double step = (b[k] - a[k]) / 100.0;
            channel[k] = static_cast<int>(a[k] + step * i);  // truncates towards zero
        }
        ramp[i] = Rgb(channel[0], channel[1], channel[2]);
    }
    return ramp;
}

namespace {

// Band k of 100 across the height (rows) or the width (columns).
TRect Band(bool horizontal, int k, int width, int height) {
    if (horizontal) return {0, MulDiv(k, height, 100), width, MulDiv(k + 1, height, 100)};
    return {MulDiv(k, width, 100), 0, MulDiv(k + 1, width, 100), height};
}

// The ramp entry of band k: straight through, or folded so that both edges get
// the ramp's start and the middle its end.
int RampIndex(bool folded, int k) {
    if (!folded) return k;
    return k < 50 ? 2 * k + 1 : 198 - 2 * k;
}

}  // namespace

std::vector<PaintStep> BackgroundPaintPlan(TDirection style, int width, int height, TColor colorStart,
                                           TColor colorEnd, int pictureWidth, int pictureHeight) {
    const TRect whole{0, 0, width, height};
    const bool noPicture = pictureWidth <= 0 || pictureHeight <= 0;
    std::vector<PaintStep> plan;
    switch (style) {
        case bdFlat:
            plan.push_back({PaintStep::Kind::Fill, whole, colorStart});
            return plan;
        case bdStretchImage:
            if (noPicture) {
                plan.push_back({PaintStep::Kind::Fill, whole, colorStart});
            } else {
                plan.push_back({PaintStep::Kind::Picture, {0, 0, width - 1, height - 1}, 0});
            }
            return plan;
        case bdTileImage:
            if (noPicture) {
                plan.push_back({PaintStep::Kind::Fill, whole, colorStart});
                return plan;
            }
            for (int i = 0; i <= width / pictureWidth; ++i) {
                for (int j = 0; j <= height / pictureHeight; ++j) {
                    const int left = pictureWidth * i;
                    const int top = pictureHeight * j;
                    plan.push_back(
                        {PaintStep::Kind::Picture, {left, top, left + pictureWidth, top + pictureHeight}, 0});
                }
            }
            return plan;
        default:
            break;
    }
    // The gradient styles: which way the ramp runs, whether bands are rows, and
    // whether the ramp is folded towards the middle.
    const bool reversed = style == bdDown || style == bdRight || style == bdHorzOut || style == bdVertOut;
    const bool horizontal = style == bdUp || style == bdDown || style == bdHorzIn || style == bdHorzOut;
    const bool folded = style == bdHorzIn || style == bdHorzOut || style == bdVertIn || style == bdVertOut;
    const auto ramp = reversed ? ColourRamp(colorEnd, colorStart) : ColourRamp(colorStart, colorEnd);
    plan.reserve(100);
    for (int k = 0; k < 100; ++k) {
        plan.push_back({PaintStep::Kind::Fill, Band(horizontal, k, width, height), ramp[RampIndex(folded, k)]});
    }
    return plan;
}

}  // namespace tavlin
