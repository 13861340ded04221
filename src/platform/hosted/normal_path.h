// Host paths as keys: the machine builds its own paths normal already, so the
// text is taken as it stands and only another spelling is normalised, which
// costs more than the rest of a look-up.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tavlin::hosted {

// A path text with no empty, "." or ".." component and no trailing separator:
// what lexical normalisation leaves as it is.
bool isNormalPath(std::string_view text);

// The path's text after lexical normalisation.
std::string normalPathText(const std::filesystem::path& path);

}  // namespace tavlin::hosted
