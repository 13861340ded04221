#include "controls/notebook.h"

#include "platform/errors.h"

namespace tavlin {

TPanel& TNotebook::AddPage(const std::string& name) {
    auto page = std::make_unique<TPanel>(name);
    page->Align = TAlign::alClient;
    page->BevelOuter = TBevelCut::bvNone;
    page->Visible = pages_.empty() || static_cast<int>(pages_.size()) == pageIndex_;
    page->SetParent(this);
    pages_.push_back(std::move(page));
    return *pages_.back();
}

void TNotebook::SetPageIndex(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= pages_.size()) {
        throw Exception("List index out of bounds (" + std::to_string(index) + ")");
    }
    if (index == pageIndex_) return;
    pageIndex_ = index;
    Invalidate();
    for (std::size_t i = 0; i < pages_.size(); ++i) pages_[i]->Visible = static_cast<int>(i) == index;
    if (OnPageChanged) OnPageChanged();
}

}  // namespace tavlin
