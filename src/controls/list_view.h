// The report-style list view with columns, small icons and a check box per row.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "controls/control.h"

namespace tavlin {

struct TListColumn {
    std::string Caption;
    int Width = 50;
    bool operator==(const TListColumn&) const = default;
};

struct TListItem {
    std::string Caption;
    std::vector<std::string> SubItems;
    int ImageIndex = -1;
    bool Checked = false;
};

enum class TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

// The rows of a list view: read like a vector; changes go through the list, so
// that it can tell its front end.
class TListItems {
public:
    explicit TListItems(TChangeSink& owner) : owner_(owner) {}
    TListItems(const TListItems&) = delete;
    TListItems& operator=(const TListItems&) = delete;

    std::size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    const TListItem& operator[](std::size_t row) const { return items_[row]; }
    auto begin() const { return items_.cbegin(); }
    auto end() const { return items_.cend(); }

    // A new row at the end, to be filled in at once (the list is repainted later).
    TListItem& Add();
    void clear();
    void SetChecked(std::size_t row, bool checked);

private:
    TChangeSink& owner_;
    std::vector<TListItem> items_;
};

class TListView : public TControl {
public:
    explicit TListView(std::string name) : TControl(std::move(name)) { TabStop = true; }
    TProperty<TViewStyle> ViewStyle{this, TViewStyle::vsReport};
    TProperty<bool> Checkboxes{this, false};
    TProperty<bool> ShowColumnHeaders{this, true};
    TProperty<bool> ColumnClick{this, true};
    // The shared small-icon list the rows' images come from; not owned.
    std::uintptr_t SmallImages = 0;
    TProperty<std::vector<TListColumn>> Columns{this};
    TListItems Items{*this};
    // Raised when the user set a row's check mark (not when code sets it).
    std::function<void(std::size_t row)> OnItemChecked;

    TListItem& AddItem() { return Items.Add(); }
    // Switching the check boxes off and on again clears the marks, as the list view
    // of Windows does when it recreates its window.
    void SetCheckboxes(bool on);
    // What the user's click on a row's check box does: the mark becomes checked,
    // then OnItemChecked is raised when it changed. Rows without boxes take nothing.
    void UserSetChecked(std::size_t row, bool checked);
    // The columns widen with the list.
    void ChangeScale(int multiplier, int divisor) override;

private:
    friend class TListItems;
};

}  // namespace tavlin
