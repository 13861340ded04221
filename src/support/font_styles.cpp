#include "support/font_styles.h"

namespace tavlin {

FontStyles ParseFontStyles(std::string_view text) {
    static constexpr struct {
        std::string_view name;
        FontStyle style;
    } kNames[] = {{"fsBold", fsBold}, {"fsItalic", fsItalic}, {"fsUnderline", fsUnderline}, {"fsStrikeOut", fsStrikeOut}};
    FontStyles styles = 0;
    for (std::size_t comma = text.find(','); comma != std::string_view::npos; comma = text.find(',')) {
        const std::string_view token = text.substr(0, comma);
        for (const auto& entry : kNames) {
            if (token == entry.name) styles |= entry.style;
        }
        text.remove_prefix(comma + 1);
    }
    return styles;
}

}  // namespace tavlin
