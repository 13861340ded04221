// Text helpers for 8-bit Windows text: upper-casing touches the ASCII letters only,
// as the system's comparisons require.
#pragma once

#include <string>
#include <string_view>

namespace tavlin {

std::string UpperCaseAscii(std::string_view text);
bool SameTextAscii(std::string_view a, std::string_view b);
// Blanks and control characters removed from both ends.
std::string Trim(std::string_view text);
std::string TrimRight(std::string_view text);
bool Contains(std::string_view text, std::string_view part);
bool StartsWith(std::string_view text, std::string_view prefix);
bool EndsWith(std::string_view text, std::string_view suffix);

}  // namespace tavlin
