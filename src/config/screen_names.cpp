// Lookups in the screen's name tables.
#include "config/screen_names.h"

namespace tavlin {

std::optional<int> DisplayStyleIndex(std::string_view name) {
    for (std::size_t i = 0; i < DisplayStyleNames.size(); ++i) {
        if (name == DisplayStyleNames[i]) return static_cast<int>(i);
    }
    return std::nullopt;
}

std::optional<LogoPlace> LogoPlaceNamed(std::string_view name) {
    for (std::size_t i = 0; i < LogoPositionNames.size(); ++i) {
        if (name == LogoPositionNames[i]) return static_cast<LogoPlace>(i);
    }
    return std::nullopt;
}

}  // namespace tavlin
