// Font styles as the configuration names them.
#pragma once

#include <cstdint>
#include <string_view>

namespace tavlin {

enum FontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using FontStyles = std::uint8_t;

// Reads tokens each ended by ","; "fsBold", "fsItalic", "fsUnderline" and
// "fsStrikeOut" add their style, anything else nothing, and a last token without
// a comma after it is ignored.
FontStyles ParseFontStyles(std::string_view text);

}  // namespace tavlin
