// Edit distance between names, counted in half edits so that a change of letter
// case weighs less than a wrong letter.
#include "config/nearest_name.h"

#include <algorithm>

#include "support/text.h"

namespace tavlin {

namespace {

int HalfEdits(const std::string& a, const std::string& b) {
    std::vector<int> previous(b.size() + 1), current(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) previous[j] = static_cast<int>(2 * j);
    for (std::size_t i = 1; i <= a.size(); ++i) {
        current[0] = static_cast<int>(2 * i);
        for (std::size_t j = 1; j <= b.size(); ++j) {
            int change = 2;
            if (a[i - 1] == b[j - 1]) {
                change = 0;
            } else if (SameTextAscii(std::string(1, a[i - 1]), std::string(1, b[j - 1]))) {
                change = 1;
            }
            current[j] = std::min({previous[j] + 2, current[j - 1] + 2, previous[j - 1] + change});
        }
        std::swap(previous, current);
    }
    return previous[b.size()];
}

}  // namespace

std::optional<std::string> NearestName(const std::string& name, const std::vector<std::string>& candidates) {
    std::optional<std::string> best;
    int bestEdits = 0;
    for (const auto& candidate : candidates) {
        const int edits = HalfEdits(name, candidate);
        if (!best || edits < bestEdits) {
            best = candidate;
            bestEdits = edits;
        }
    }
    // Up to a third of the longer name, and at least two wrong letters, is a typo;
    // more is another name.
    const std::size_t longer = best ? std::max(name.size(), best->size()) : 0;
    const int limit = 2 * static_cast<int>(std::max<std::size_t>(2, longer / 3));
    if (!best || bestEdits == 0 || bestEdits > limit) return std::nullopt;
    return best;
}

}  // namespace tavlin
