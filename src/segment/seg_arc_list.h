// One archive of a segment set as the scan section describes it, and the
// ordered list of them that owns its entries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tavlin {

struct TSegArc {
    std::string Template;
    // The folder part of Template: where the archive's relative names expand.
    std::string ArcDir;
    std::uint16_t SeqNumber = 0;
    std::uint8_t ScanByte = 0;
    // Before expansion the stored names of the list file; after it the paths written.
    std::vector<std::string> ArcFiles;
};

class TSegArcList {
public:
    std::size_t Count() const { return items_.size(); }
    bool Empty() const { return items_.empty(); }
    TSegArc& operator[](std::size_t index) { return *items_.at(index); }
    const TSegArc& operator[](std::size_t index) const { return *items_.at(index); }

    void Add(std::unique_ptr<TSegArc> entry) { items_.push_back(std::move(entry)); }
    // Removes and frees one entry.
    void Delete(std::size_t index) {
        items_.at(index);  // raises std::out_of_range for an index past the end
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
    }
    // Frees every entry.
    void Clear() { items_.clear(); }

private:
    std::vector<std::unique_ptr<TSegArc>> items_;
};

}  // namespace tavlin
