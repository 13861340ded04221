// tavlin list: one line per member: method ID, expanded size, compressed size,
// checksum in 8 hex digits, date and time, "L" when locked else "-", and the
// stored name.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <ostream>

#include "archive_check.h"
#include "compress/zivi_archive.h"
#include "tool_command.h"

namespace tavlin::tool {

namespace {

// The MS-DOS date and time (date in the high 16 bits) as YYYY-MM-DD HH:MM:SS.
std::string DosDateText(std::uint32_t dos) {
    const unsigned date = dos >> 16;
    const unsigned time = dos & 0xFFFF;
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", 1980 + (date >> 9), (date >> 5) & 15,
                  date & 31, time >> 11, (time >> 5) & 63, (time & 31) * 2);
    return text;
}

std::string MethodText(std::uint8_t method) { return method < kMethodIDs.size() ? kMethodIDs[method] : "???"; }

void RunList(ToolContext& context, const std::string& archivePath) {
    TZiviArchive archive(context.host.Files());
    TArchiveList list;
    const std::string path = context.host.PathOf(archivePath);
    CheckArchiveHeader(archive, context.host.Files(), path, archivePath);
    archive.ListArchive(path, list);
    for (const auto& entry : list) {
        const auto& info = entry.Info;
        char checksum[9];
        std::snprintf(checksum, sizeof checksum, "%08X", static_cast<unsigned>(info.StoredChecksum));
        context.out << MethodText(info.Method) << ' ' << info.ExpandedSize << ' ' << info.CompressedSize << ' '
                    << checksum << ' ' << DosDateText(info.DosDateTime) << ' ' << (info.Locked ? 'L' : '-') << ' '
                    << context.host.TerminalTextOf(entry.Name) << '\n';
    }
}

}  // namespace

CommandAction DeclareList(CLI::App& command) {
    auto archive = std::make_shared<std::string>();
    command.add_option("ARCHIVE", *archive, "Archive to list")->required();
    return [archive](ToolContext& context) { RunList(context, *archive); };
}

}  // namespace tavlin::tool
