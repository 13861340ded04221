// tavlin seg-list: the archives of a segment set as its scan section gives
// them: each template on a line of its own, then its file names indented by
// two blanks. Only the scan section is read; no archive is expanded.
#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>

#include "segment_reading.h"
#include "temporary_folder.h"
#include "tool_command.h"

namespace tavlin::tool {

namespace {

void RunSegList(ToolContext& context, const std::string& media) {
    TemporaryFolder temp(context.host);
    std::vector<std::pair<std::string, std::vector<std::string>>> archives;
    ReadSegmentSet(context, media, temp.Path(), [&](TSegCompEZ& reader) {
        reader.OnSegBeforeExpand = [&](TSegArcList& list) {
            for (std::size_t i = 0; i < list.Count(); ++i) archives.emplace_back(list[i].Template, list[i].ArcFiles);
            list.Clear();  // nothing to expand
        };
    });
    for (const auto& [templateText, names] : archives) {
        context.out << context.host.TerminalTextOf(templateText) << '\n';
        for (const auto& name : names) context.out << "  " << context.host.TerminalTextOf(name) << '\n';
    }
}

}  // namespace

CommandAction DeclareSegList(CLI::App& command) {
    auto media = std::make_shared<std::string>();
    command.add_option("MEDIA", *media, "Folder holding disk.001, disk.002 ...")->required();
    return [media](ToolContext& context) { RunSegList(context, *media); };
}

}  // namespace tavlin::tool
