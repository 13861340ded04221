#include "platform/hosted/normal_path.h"

namespace tavlin::hosted {

bool isNormalPath(std::string_view text) {
    if (text.empty() || text.back() == '/') return false;
    std::size_t start = text.front() == '/' ? 1 : 0;
    while (start <= text.size()) {
        std::size_t end = text.find('/', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view part = text.substr(start, end - start);
        if (part.empty() || part == "." || part == "..") return false;
        start = end + 1;
    }
    return true;
}

std::string normalPathText(const std::filesystem::path& path) {
    if constexpr (std::filesystem::path::preferred_separator == '/') {
        if (isNormalPath(path.native())) return path.native();
    }
    return path.lexically_normal().string();
}

}  // namespace tavlin::hosted
