// Windows-1252 text as the program sees it, and its conversion to the UTF-8 names
// and files of the host. Also the letter-case rules Windows applies to names.
#pragma once

#include <string>
#include <string_view>

namespace tavlin::hosted {

// Converts Windows-1252 bytes to UTF-8. Every byte has a form (the five bytes that
// Windows-1252 leaves unassigned map to the control characters of the same value).
std::string utf8FromWindows(std::string_view text);

// Converts UTF-8 to Windows-1252; a character without a Windows-1252 form, and a
// byte that is not valid UTF-8, becomes "?".
std::string windowsFromUtf8(std::string_view text);

// Converts UTF-16 (as Unicode files of other programs hold it) to Windows-1252,
// with "?" for what has no form there.
std::string windowsFromUtf16(std::u16string_view units);

// Upper-cases the ASCII letters and the Latin letters of Windows-1252.
char upperWindowsChar(char c);
std::string upperWindows(std::string_view text);

// Equal when the texts differ at most in letter case.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace tavlin::hosted
