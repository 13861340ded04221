// tavlin seg-extract: expands every archive of a segment set into OUTDIR, each
// member under OUTDIR followed by its template's folder without the drive (a
// member stored for C:\Acme\docs\ lands in OUTDIR\Acme\docs\). Nothing is
// written outside OUTDIR.
#include <CLI/CLI.hpp>
#include <memory>

#include "compress/archive_layout.h"
#include "compress/member_names.h"
#include "segment_reading.h"
#include "temporary_folder.h"
#include "tool_command.h"

namespace tavlin::tool {

namespace {

struct SegExtractOptions {
    std::string media;
    std::string folder;
};

void RunSegExtract(ToolContext& context, const SegExtractOptions& options) {
    HostFiles& host = context.host;
    std::string outPath = host.PathOf(options.folder);
    if (!outPath.empty() && outPath.back() == '\\') outPath.pop_back();
    if (!host.Files().forceDirectories(outPath)) throw Exception(options.folder + ": cannot create the folder");

    TemporaryFolder temp(host);
    std::string current;
    try {
        // Each archive's layout is checked strictly before its first member is
        // written (or after it, when none was): the reader itself takes a record
        // cut short as the archive's end.
        std::size_t archiveNumber = 1;
        bool checked = false;
        TSegCompEZ* readerInUse = nullptr;
        const auto checkArchive = [&] {
            if (checked) return;
            checked = true;
            const auto file = host.Files().openRead(readerInUse->TempArchivePath());
            try {
                CheckArchiveLayout(*file);
            } catch (const EDamagedArchive& error) {
                throw Exception(options.media + ": archive " + std::to_string(archiveNumber) + ": " + error.what());
            }
        };
        ReadSegmentSet(context, options.media, temp.Path(), [&](TSegCompEZ& reader) {
            readerInUse = &reader;
            reader.OnSegAfterArchive = [&](const TSegArcHeader&, const std::string&) {
                checkArchive();
                checked = false;
                ++archiveNumber;
            };
            reader.OnCheckFile = [&](std::string& path, TCProcessMode) {
                checkArchive();
                current = path;
                std::string rest = path.size() >= 2 && path[1] == ':' ? path.substr(2) : path;
                if (IsUnsafeMemberName(rest)) {
                    throw Exception(host.TerminalTextOf(path) + ": would leave the output folder");
                }
                if (!rest.empty() && rest.front() == '\\') rest.erase(0, 1);
                path = outPath + "\\" + rest;
            };
        });
    } catch (const EBadChecksum& error) {
        throw Exception(host.TerminalTextOf(current) + ": " + error.what());
    } catch (const EInvalidKey& error) {
        throw Exception(host.TerminalTextOf(current) + ": " + error.what());
    }
}

}  // namespace

CommandAction DeclareSegExtract(CLI::App& command) {
    auto options = std::make_shared<SegExtractOptions>();
    command.add_option("MEDIA", options->media, "Folder holding disk.001, disk.002 ...")->required();
    command.add_option("OUTDIR", options->folder, "Folder to expand into")->required();
    return [options](ToolContext& context) { RunSegExtract(context, *options); };
}

}  // namespace tavlin::tool
