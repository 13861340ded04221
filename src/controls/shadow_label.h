// A label drawn twice: first in its shadow colour, moved by the shadow offset in
// the shadow's direction, then in its font colour. The shadow makes the label
// larger by the offset.
#pragma once

#include "controls/std_controls.h"

namespace tavlin {

enum class TShadowPosition { spLeftBottom, spRightBottom, spLeftTop, spRightTop };

class TShadowLabel : public TLabel {
public:
    using TLabel::TLabel;
    TProperty<TColor> ShadowColor{this, clBlack};
    TProperty<int> ShadowOffset{this, 1};
    TProperty<TShadowPosition> ShadowPosition{this, TShadowPosition::spLeftBottom};

    void AdjustSize() override;
    // Where the shadow's text starts relative to the label, and where the text does.
    TPoint ShadowOrigin() const;
    TPoint TextOrigin() const;
};

}  // namespace tavlin
