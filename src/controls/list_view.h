// The report-style list view with columns, small icons and a check box per row.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "controls/control.h"

namespace tavlin {

struct TListColumn {
    std::string Caption;
    int Width = 50;
};

struct TListItem {
    std::string Caption;
    std::vector<std::string> SubItems;
    int ImageIndex = -1;
    bool Checked = false;
};

enum class TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

class TListView : public TControl {
public:
    using TControl::TControl;
    TViewStyle ViewStyle = TViewStyle::vsReport;
    bool Checkboxes = false;
    bool ShowColumnHeaders = true;
    bool ColumnClick = true;
    // The shared small-icon list the rows' images come from; not owned.
    std::uintptr_t SmallImages = 0;
    std::vector<TListColumn> Columns;
    std::vector<TListItem> Items;

    TListItem& AddItem() { return Items.emplace_back(); }
    // Switching the check boxes off and on again clears the marks, as the list view
    // of Windows does when it recreates its window.
    void SetCheckboxes(bool on);
};

}  // namespace tavlin
