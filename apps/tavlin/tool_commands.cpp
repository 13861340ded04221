// The table of tavlin's subcommands, and the key option they share.
#include <charconv>
#include <cstdint>

#include "tool_command.h"

namespace tavlin::tool {

const std::vector<ToolCommand>& ToolCommands() {
    static const std::vector<ToolCommand> commands = {
        {"pack", "Write an archive of files and folders", DeclarePack},
        {"list", "List the members of an archive", DeclareList},
        {"extract", "Expand the members of an archive into a folder", DeclareExtract},
        {"test", "Decode every member and check its checksum, writing nothing", DeclareTest},
        {"media", "Build setup media from a product folder and its install.cfg", DeclareMedia},
        {"check", "Check install.cfg against a product folder, building nothing", DeclareCheck},
        {"seg-list", "List the archives and files of a segment set", DeclareSegList},
        {"seg-extract", "Expand every archive of a segment set into a folder", DeclareSegExtract},
    };
    return commands;
}

std::int32_t ParseKey(const std::string& text) {
    std::string digits = text;
    bool negative = false;
    if (!digits.empty() && digits[0] == '-') {
        negative = true;
        digits.erase(0, 1);
    }
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        digits.erase(0, 2);
    }
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    const std::uint64_t limit = base == 16 && !negative ? 0xFFFFFFFFu : (negative ? 0x80000000u : 0x7FFFFFFFu);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() || value > limit) {
        throw UsageError("invalid key " + text + ": a 32-bit integer is required");
    }
    // Hexadecimal keys give the four key bytes directly, so 0xFFFFFFFF is -1.
    const auto bits = static_cast<std::uint32_t>(negative ? (~value + 1) : value);
    return static_cast<std::int32_t>(bits);
}

}  // namespace tavlin::tool
