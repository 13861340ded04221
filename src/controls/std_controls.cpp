#include "controls/std_controls.h"

#include <algorithm>

namespace tavlin {

void TProgressBar::SetRange(int min, int max) {
    Min = min;
    Max = max;
    SetPosition(position_);
}

void TProgressBar::SetPosition(int position) { position_ = std::clamp(position, Min, std::max(Min, Max)); }

}  // namespace tavlin
