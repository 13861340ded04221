// Splitting and joining Windows paths as text, without asking the platform.
#pragma once

#include <string>
#include <string_view>

namespace tavlin {

// The folder part: everything up to and including the last "\" or ":".
std::string ExtractFilePath(std::string_view path);
// The file-name part: everything after the last "\" or ":".
std::string ExtractFileName(std::string_view path);
// The path with one "\" at its end (an empty path stays empty).
std::string IncludeTrailingBackslash(std::string_view path);
// The path without a trailing "\".
std::string ExcludeTrailingBackslash(std::string_view path);

}  // namespace tavlin
