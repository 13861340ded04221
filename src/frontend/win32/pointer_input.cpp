#include "frontend/win32/pointer_input.h"

#include <algorithm>

#include "controls/folder_edit.h"
#include "controls/list_view.h"
#include "controls/std_controls.h"
#include "paint/text_paint.h"

namespace tavlin {

namespace {

bool Inside(TPoint at, TPoint origin, const TControl& control) {
    return at.x >= origin.x && at.y >= origin.y && at.x < origin.x + control.Width &&
           at.y < origin.y + control.Height;
}

// The row of a report list under the point, as the paint code stacks them
// under the column headers; -1 when none.
int RowAt(const TListView& list, TPoint origin, TPoint at, Canvas& canvas) {
    const int lineHeight = LineHeight(canvas, list.Font);
    int top = origin.y;
    if (list.ViewStyle == TViewStyle::vsReport && list.ShowColumnHeaders) top += lineHeight + 6;
    const int rowHeight = std::max(17, lineHeight + 1);
    if (at.y < top) return -1;
    const int row = (at.y - top) / rowHeight;
    return row < static_cast<int>(list.Items.size()) ? row : -1;
}

}  // namespace

HitResult HitTest(TWinControl& root, TPoint origin, TPoint at) {
    const auto& children = root.Controls();
    // Later children are painted over earlier ones.
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
        TControl& control = **child;
        if (!control.Visible) continue;
        const TPoint place{origin.x + control.Left, origin.y + control.Top};
        if (!Inside(at, place, control)) continue;
        if (auto* holder = dynamic_cast<TWinControl*>(&control)) {
            if (HitResult inner = HitTest(*holder, place, at); inner.control) return inner;
        }
        return {&control, place};
    }
    return {};
}

bool ClickAt(TForm& form, const HitResult& hit, TPoint at, Canvas& canvas) {
    TControl& control = *hit.control;
    if (!control.Enabled) return false;
    TApplication& app = form.Application;
    if (auto* folder = dynamic_cast<TFolderEdit*>(&control)) {
        // The browse button is the square at the right end, as painted.
        const int buttonWidth = std::min<int>(folder->Width, folder->Height + 2);
        if (at.x >= hit.origin.x + folder->Width - buttonWidth) {
            return app.Dispatch([folder] { folder->Browse(); });
        }
        return form.SetFocus(*folder);
    }
    if (auto* list = dynamic_cast<TListView*>(&control)) {
        const int row = RowAt(*list, hit.origin, at, canvas);
        if (row < 0 || !list->Checkboxes) return false;
        const auto index = static_cast<std::size_t>(row);
        return app.Dispatch([list, index] { list->UserSetChecked(index, !list->Items[index].Checked); });
    }
    if (dynamic_cast<TEdit*>(&control) || dynamic_cast<TMemo*>(&control)) return form.SetFocus(control);
    if (dynamic_cast<TButton*>(&control) || dynamic_cast<TCheckBox*>(&control) ||
        dynamic_cast<TRadioButton*>(&control)) {
        if (control.TabStop) form.SetFocus(control);
        return app.Dispatch([&control] { control.Click(); });
    }
    return false;
}

void ValidateTree(TControl& control) {
    control.Validate();
    if (auto* holder = dynamic_cast<TWinControl*>(&control)) {
        for (TControl* child : holder->Controls()) ValidateTree(*child);
    }
}

}  // namespace tavlin
