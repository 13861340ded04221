#include "controls/list_view.h"

namespace tavlin {

void TListView::SetCheckboxes(bool on) {
    // Turning on boxes that are already on changes nothing, the marks included.
    if (on == Checkboxes) return;
    Checkboxes = on;
    if (!on) {
        for (TListItem& item : Items) item.Checked = false;
    }
}

}  // namespace tavlin
