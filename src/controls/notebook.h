// The page book: a stack of pages of which one is shown. Changing the page index
// raises OnPageChanged.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/std_controls.h"

namespace tavlin {

class TNotebook : public TWinControl {
public:
    using TWinControl::TWinControl;

    // Adds a page (a panel that fills the book) and returns it.
    TPanel& AddPage(const std::string& name);
    TPanel& Page(std::size_t index) const { return *pages_.at(index); }
    std::size_t PageCount() const { return pages_.size(); }

    int PageIndex() const { return pageIndex_; }
    // Selects a page: only that page is visible. A change of index raises
    // OnPageChanged; selecting the page already shown does not.
    void SetPageIndex(int index);

    std::function<void()> OnPageChanged;

private:
    std::vector<std::unique_ptr<TPanel>> pages_;
    int pageIndex_ = 0;
};

}  // namespace tavlin
