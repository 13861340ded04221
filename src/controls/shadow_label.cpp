#include "controls/shadow_label.h"

namespace tavlin {

void TShadowLabel::AdjustSize() {
    if (!AutoSize) return;
    const TAlign align = Align;
    Align = TAlign::alNone;  // measure as a free label, then take the aligned place
    const int alignedWidth = Width;
    TLabel::AdjustSize();
    Width += ShadowOffset;
    Height += ShadowOffset;
    Align = align;
    if (align != TAlign::alNone) {
        Width = alignedWidth;
        if (Parent()) Parent()->Realign();
    }
}

namespace {
bool ShadowToLeft(TShadowPosition p) {
    return p == TShadowPosition::spLeftBottom || p == TShadowPosition::spLeftTop;
}
bool ShadowBelow(TShadowPosition p) {
    return p == TShadowPosition::spLeftBottom || p == TShadowPosition::spRightBottom;
}
}  // namespace

TPoint TShadowLabel::ShadowOrigin() const {
    return {ShadowToLeft(ShadowPosition) ? 0 : ShadowOffset, ShadowBelow(ShadowPosition) ? ShadowOffset : 0};
}

TPoint TShadowLabel::TextOrigin() const {
    return {ShadowToLeft(ShadowPosition) ? ShadowOffset : 0, ShadowBelow(ShadowPosition) ? 0 : ShadowOffset};
}

}  // namespace tavlin
