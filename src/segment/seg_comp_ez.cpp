// TSegCompEZ::SegExpandAll.
#include "segment/seg_comp_ez.h"

namespace tavlin {

void TSegCompEZ::SegExpandAll() {
    // TargetPath is left empty however the run ends: each archive set its own.
    struct ClearTarget {
        TSegCompEZ& owner;
        ~ClearTarget() { owner.SetTargetPath(""); }
    } clearTarget{*this};
    SetTargetPath("");
    SegExpand(archives_);
    SegSource.Clear();
    for (std::size_t i = 0; i < archives_.Count(); ++i) SegSource.Add(archives_[i].Template);
}

}  // namespace tavlin
