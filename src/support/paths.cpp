#include "support/paths.h"

namespace tavlin {

std::string ExtractFilePath(std::string_view path) {
    const auto cut = path.find_last_of("\\:");
    return cut == std::string_view::npos ? std::string() : std::string(path.substr(0, cut + 1));
}

std::string ExtractFileName(std::string_view path) {
    const auto cut = path.find_last_of("\\:");
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string IncludeTrailingBackslash(std::string_view path) {
    std::string result(path);
    if (!result.empty() && result.back() != '\\') result += '\\';
    return result;
}

std::string ExcludeTrailingBackslash(std::string_view path) {
    std::string result(path);
    if (!result.empty() && result.back() == '\\') result.pop_back();
    return result;
}

}  // namespace tavlin
