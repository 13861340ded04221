// File-name patterns with "*" and "?", matched ignoring letter case. Dots and
// stars at the end of a pattern may match nothing, so "*.*" matches every name
// and "name.*" matches "name" too.
#pragma once

#include <string_view>

namespace tavlin::hosted {

bool hasWildcards(std::string_view pattern);
bool matchesWildcard(std::string_view name, std::string_view pattern);

}  // namespace tavlin::hosted
