// Iterative matching that backtracks to the last "*".
#include "platform/hosted/wildcard.h"

#include "platform/hosted/windows_text.h"

namespace tavlin::hosted {

bool hasWildcards(std::string_view pattern) {
    return pattern.find_first_of("*?") != std::string_view::npos;
}

bool matchesWildcard(std::string_view name, std::string_view pattern) {
    std::size_t n = 0, p = 0;
    std::size_t starAt = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            starName = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || upperWindowsChar(pattern[p]) == upperWindowsChar(name[n]))) {
            ++p;
            ++n;
        } else if (starAt != std::string_view::npos) {
            p = starAt + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && (pattern[p] == '*' || pattern[p] == '.')) ++p;
    return p == pattern.size();
}

}  // namespace tavlin::hosted
