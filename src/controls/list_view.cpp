#include "controls/list_view.h"

#include "platform/errors.h"

namespace tavlin {

TListItem& TListItems::Add() {
    owner_.PropertyChanged();
    return items_.emplace_back();
}

void TListItems::clear() {
    if (items_.empty()) return;
    items_.clear();
    owner_.PropertyChanged();
}

void TListItems::SetChecked(std::size_t row, bool checked) {
    if (row >= items_.size()) throw Exception("List index out of bounds (" + std::to_string(row) + ")");
    if (items_[row].Checked == checked) return;
    items_[row].Checked = checked;
    owner_.PropertyChanged();
}

void TListView::ChangeScale(int multiplier, int divisor) {
    TControl::ChangeScale(multiplier, divisor);
    std::vector<TListColumn> columns = Columns;
    for (TListColumn& column : columns) column.Width = ScaledBy(column.Width, multiplier, divisor);
    Columns = columns;
}

void TListView::SetCheckboxes(bool on) {
    // Turning on boxes that are already on changes nothing, the marks included.
    if (on == Checkboxes) return;
    Checkboxes = on;
    if (!on) {
        for (std::size_t row = 0; row < Items.size(); ++row) Items.SetChecked(row, false);
    }
}

void TListView::UserSetChecked(std::size_t row, bool checked) {
    if (!Checkboxes || row >= Items.size() || Items[row].Checked == checked) return;
    Items.SetChecked(row, checked);
    if (OnItemChecked) OnItemChecked(row);
}

}  // namespace tavlin
