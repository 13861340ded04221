// Font styles as the configuration names them.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tavlin {

enum FontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using FontStyles = std::uint8_t;

// The style names of the configuration; name i sets the style bit 1 << i.
inline constexpr std::array<const char*, 4> FontStyleNames = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};

// Reads tokens each ended by ","; "fsBold", "fsItalic", "fsUnderline" and
// "fsStrikeOut" add their style, anything else nothing, and a last token without
// a comma after it is ignored.
FontStyles ParseFontStyles(std::string_view text);

}  // namespace tavlin
