// Folder parts of member paths.
#pragma once

#include <string>

namespace tavlin {

// Everything up to and including the last "\" or ":"; empty when there is none.
inline std::string FolderPart(const std::string& path) {
    const auto cut = path.find_last_of("\\:");
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

}  // namespace tavlin
