#include "support/font_styles.h"

namespace tavlin {

FontStyles ParseFontStyles(std::string_view text) {
    FontStyles styles = 0;
    for (std::size_t comma = text.find(','); comma != std::string_view::npos; comma = text.find(',')) {
        const std::string_view token = text.substr(0, comma);
        for (std::size_t i = 0; i < FontStyleNames.size(); ++i) {
            if (token == FontStyleNames[i]) styles |= static_cast<FontStyles>(1u << i);
        }
        text.remove_prefix(comma + 1);
    }
    return styles;
}

}  // namespace tavlin
