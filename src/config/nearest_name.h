// The suggestion of a finding: the known name closest to a misspelt one.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tavlin {

// The candidate with the fewest single-character edits from name (letter case
// counts as half an edit), when it is close enough to be a likely typo; nothing
// otherwise.
std::optional<std::string> NearestName(const std::string& name, const std::vector<std::string>& candidates);

}  // namespace tavlin
