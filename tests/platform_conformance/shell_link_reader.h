// A small reader of the shell-link (.lnk) binary format, enough to check what a
// saved link holds: header fields, the local base path of its link information
// and its string data, ANSI or UTF-16 as the header's flags say.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavlin::conformance {

struct ShellLinkContents {
    std::uint32_t flags = 0;
    std::uint32_t fileAttributes = 0;
    std::int32_t iconIndex = 0;
    std::uint32_t showCommand = 0;
    std::optional<std::string> localBasePath;
    std::optional<std::string> name;
    std::optional<std::string> relativePath;
    std::optional<std::string> workingDirectory;
    std::optional<std::string> arguments;
    std::optional<std::string> iconLocation;
};

// Parses a .lnk file's bytes; raises std::runtime_error when they are not one.
// UTF-16 strings are narrowed by taking the low byte of each unit, which is right
// for the ASCII texts the tests use.
ShellLinkContents readShellLink(const std::vector<std::uint8_t>& bytes);

}  // namespace tavlin::conformance
