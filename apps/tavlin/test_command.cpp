// tavlin test: checks the archive's layout and member names, then decodes every
// member and checks its checksum, writing nothing.
#include <CLI/CLI.hpp>
#include <memory>

#include "archive_check.h"
#include "compress/member_names.h"
#include "compress/zivi_archive.h"
#include "tool_command.h"

namespace tavlin::tool {

namespace {

struct TestOptions {
    std::string key;
    std::string archive;
};

void RunTest(ToolContext& context, const TestOptions& options) {
    TZiviArchive archive(context.host.Files());
    archive.Key = options.key.empty() ? 0 : ParseKey(options.key);
    const std::string path = context.host.PathOf(options.archive);
    CheckArchiveHeader(archive, context.host.Files(), path, options.archive);
    // A member that no expansion would write is as much a fault as a bad checksum.
    TArchiveList list;
    archive.ListArchive(path, list);
    for (const auto& entry : list) {
        if (IsUnsafeMemberName(entry.Name)) {
            throw Exception(options.archive + ": " + context.host.TerminalTextOf(entry.Name) +
                            ": member name would leave the target folder");
        }
    }
    std::string current;
    try {
        archive.TestArchive(path, [&](const std::string& name) { current = name; });
    } catch (const Exception& error) {
        if (current.empty()) throw;
        throw Exception(context.host.TerminalTextOf(current) + ": " + error.what());
    }
}

}  // namespace

CommandAction DeclareTest(CLI::App& command) {
    auto options = std::make_shared<TestOptions>();
    command.add_option("-k", options->key, "Key of locked members");
    command.add_option("ARCHIVE", options->archive, "Archive to test")->required();
    return [options](ToolContext& context) { RunTest(context, *options); };
}

}  // namespace tavlin::tool
