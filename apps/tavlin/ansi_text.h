// Windows-1252 text and UTF-8, for names that cross between the archive and
// the terminal. Characters 1252 cannot hold become "?".
#pragma once

#include <string>

namespace tavlin::tool {

std::string AnsiToUtf8(const std::string& ansi);
std::string Utf8ToAnsi(const std::string& utf8);

}  // namespace tavlin::tool
