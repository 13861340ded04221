// tavlin extract: expands members into a folder. Before anything is written
// every selected member name is checked: none may land outside the folder, and
// names from the root of the drive need --absolute-names.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <memory>

#include "compress/member_names.h"
#include "archive_check.h"
#include "compress/zivi_archive.h"
#include "tool_command.h"

namespace tavlin::tool {

namespace {

struct ExtractOptions {
    std::string key;
    std::string folder = ".";
    bool absoluteNames = false;
    std::string archive;
    std::vector<std::string> names;
};

void RunExtract(ToolContext& context, const ExtractOptions& options) {
    HostFiles& host = context.host;
    const std::string archivePath = host.PathOf(options.archive);
    std::vector<std::string> wanted;
    for (const auto& name : options.names) {
        std::string stored = host.AnsiOf(name);
        std::replace(stored.begin(), stored.end(), '/', '\\');
        wanted.push_back(stored);
    }

    TZiviArchive archive(host.Files());
    TArchiveList list;
    CheckArchiveHeader(archive, host.Files(), archivePath, options.archive);
    archive.ListArchive(archivePath, list);
    std::vector<bool> found(wanted.size(), false);
    for (const auto& entry : list) {
        bool selected = wanted.empty();
        for (std::size_t i = 0; i < wanted.size(); ++i) {
            if (SameMemberName(wanted[i], entry.Name)) selected = found[i] = true;
        }
        if (!selected) continue;
        const std::string shown = host.TerminalTextOf(entry.Name);
        if (IsUnsafeMemberName(entry.Name)) throw Exception(shown + ": member name would leave the target folder");
        if (IsRootedMemberName(entry.Name) && !options.absoluteNames) {
            throw Exception(shown + ": member name starts at the drive root; expand it with --absolute-names");
        }
    }
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        if (!found[i]) throw Exception(options.names[i] + ": not in the archive");
    }

    archive.Key = options.key.empty() ? 0 : ParseKey(options.key);
    archive.SetTargetPath(host.PathOf(options.folder));
    archive.MakeDirectories = true;
    archive.ExceptionOnFileError = true;
    // No free-space test: the host drive Z: is the root file system, whose free
    // space need not be that of the target folder; a full disk fails the writes.
    std::string current;
    archive.OnCheckFile = [&](std::string& path, TCProcessMode) { current = path; };
    try {
        archive.ExpandArchive(archivePath, wanted.empty() ? nullptr : &wanted);
    } catch (const Exception& error) {
        if (current.empty()) throw;
        throw Exception(host.DisplayPathOf(current) + ": " + error.what());
    }
}

}  // namespace

CommandAction DeclareExtract(CLI::App& command) {
    auto options = std::make_shared<ExtractOptions>();
    command.add_option("-k", options->key, "Key of locked members");
    command.add_option("-d", options->folder, "Folder to expand into (default: the current folder)");
    command.add_flag("--absolute-names", options->absoluteNames,
                     "Expand members whose names start at the drive root there");
    command.add_option("ARCHIVE", options->archive, "Archive to expand")->required();
    command.add_option("NAME", options->names, "Members to expand (default: all)");
    return [options](ToolContext& context) { RunExtract(context, *options); };
}

}  // namespace tavlin::tool
