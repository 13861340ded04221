// tavlin media: builds setup media from a product folder and its install.cfg:
// the segment files disk.001 ..., finstall.cfg, a copy of install.cfg and,
// when given, setup.exe. Every folder of the product that holds files becomes
// one archive whose template is its builder path + "*.*" and whose members are
// its files, stored under their names; the setup expands a member of the
// template C:\Acme\docs\*.* to its expansion folder + Acme\docs\, which is where
// finstall.cfg's line C:\Acme\docs\... sends it from. The same input gives the
// same bytes: members are in name order with the files' own dates. install.cfg
// is checked first (media_extras.cpp); the welcome text goes to the root of the
// expansion folder, and a summary of what the medium does ends the run.
#include <CLI/CLI.hpp>
#include <memory>

#include "compress/zivi_archive.h"
#include "media_extras.h"
#include "media_file_list.h"
#include "media_product.h"
#include "member_compressor_pool.h"
#include "segment/segment_writer.h"
#include "support/paths.h"
#include "support/string_list.h"
#include "support/text.h"
#include "temporary_folder.h"
#include "tool_command.h"

namespace tavlin::tool {

namespace {

struct MediaOptions {
    std::string product;
    std::string config;
    std::string out;
    std::string files;
    std::uint32_t segmentSize = 1440000;
    std::string method = "lh5";
    std::string setup;
    unsigned jobs = 0;  // 0: one worker per processor
    std::string warning;
    bool strict = false;
};

TCompressionMethod MethodNamed(const std::string& name) {
    if (name == "none") return coNone;
    if (name == "rle") return coRLE;
    if (name == "lzh") return coLZH;
    return coLZH5;
}

// Copies a file's bytes; a file copied onto itself stays as it is.
void CopyFileBytes(FileSystem& files, const std::string& from, const std::string& to) {
    if (SameTextAscii(files.fullPathName(from), files.fullPathName(to))) return;
    const auto source = files.openRead(from);
    const auto target = files.create(to);
    std::vector<std::uint8_t> buffer(65536);
    while (const std::size_t n = source->read(buffer.data(), buffer.size())) target->writeBuffer(buffer.data(), n);
}

std::string ExistingFile(HostFiles& host, const std::string& argument) {
    const std::string path = host.PathOf(argument);
    if (!host.Files().fileExists(path)) throw Exception(argument + ": no such file");
    return path;
}

void RunMedia(ToolContext& context, const MediaOptions& options) {
    HostFiles& host = context.host;
    FileSystem& files = host.Files();
    const std::string productPath = ExcludeTrailingBackslash(host.PathOf(options.product));
    if (!files.directoryExists(productPath)) throw Exception(options.product + ": no such folder");
    const std::string configPath = ExistingFile(host, options.config);
    const std::string setupPath = options.setup.empty() ? std::string() : ExistingFile(host, options.setup);
    const std::string outPath = ExcludeTrailingBackslash(host.PathOf(options.out));
    const std::string outUpper = UpperCaseAscii(outPath) + "\\";
    if (StartsWith(outUpper, UpperCaseAscii(productPath) + "\\")) {
        throw UsageError("--out must not lie inside the product folder");
    }

    Product product = CollectProduct(files, productPath);
    const std::string welcomePath = TakeWelcomeText(host, product, options.warning);
    std::vector<std::string> listLines;
    if (!options.files.empty()) {
        StringList list;
        list.LoadFromFile(files, ExistingFile(host, options.files));
        listLines = list.Lines();
    }
    StringList fileList;
    fileList.Lines() = BuildFileList(product, listLines, options.files);
    const ConfigDocument config = CheckConfigForMedia(host, {options.config, configPath, options.strict}, product,
                                                      fileList.Lines(), !welcomePath.empty(), !setupPath.empty());

    if (!files.forceDirectories(outPath)) throw Exception(options.out + ": cannot create the folder");
    TemporaryFolder temp(host);
    TZiviArchive archiver(files);
    // No window waits for its turn: on a busy machine every yield would hand
    // the rest of a time slice to other programs.
    archiver.YieldBetweenBuffers = false;
    const TCompressionMethod method = MethodNamed(options.method);
    const unsigned workers = options.jobs == 0 ? MemberCompressorPool::DefaultWorkers() : options.jobs;
    std::unique_ptr<MemberCompressorPool> pool;
    if (workers > 1) pool = std::make_unique<MemberCompressorPool>(workers);
    std::vector<TSegArchiveInput> archives;
    for (std::size_t i = 0; i < product.Folders.size(); ++i) {
        const ProductFolder& folder = product.Folders[i];
        std::vector<TFileToArchive> members;
        for (const auto& file : folder.Files) members.push_back({file.Path, file.Name});
        const std::string archivePath = temp.Path() + "\\" + std::to_string(i) + ".tva";
        archiver.CompressArchive(archivePath, members, {method, 0}, pool.get());
        archives.push_back({product.Root + folder.Relative + "*.*", archivePath});
    }
    if (!welcomePath.empty()) {
        archives.push_back(WelcomeTextArchive(archiver, welcomePath, temp.Path() + "\\welcome.tva", method));
    }
    TSegWriteOptions writeOptions;
    writeOptions.Folder = outPath;
    writeOptions.SegmentSize = options.segmentSize;
    writeOptions.ListMethod = method;
    const std::vector<std::string> segments = TSegmentSetWriter(files, writeOptions).Write(archives);

    fileList.SaveToFile(files, outPath + "\\finstall.cfg");
    CopyFileBytes(files, configPath, outPath + "\\install.cfg");
    if (!setupPath.empty()) CopyFileBytes(files, setupPath, outPath + "\\setup.exe");
    PrintMediaSummary(context, config, archives, segments);
}

}  // namespace

CommandAction DeclareMedia(CLI::App& command) {
    auto options = std::make_shared<MediaOptions>();
    command.add_option("--product", options->product, "Folder of the product's files")->required();
    command.add_option("--config", options->config, "The setup configuration, install.cfg")->required();
    command.add_option("--out", options->out, "Folder that receives the media")->required();
    command.add_option("--files", options->files,
                       "Lines in finstall.cfg form for files that do not go to the installation folder");
    command.add_option("--segment-size", options->segmentSize, "Bytes per segment file (default 1440000)")
        ->check(CLI::Range(16384u, 0xFFFFFFFFu));
    command.add_option("-m", options->method, "Compression method (default lh5)")
        ->check(CLI::IsMember({"none", "rle", "lzh", "lh5"}));
    command.add_option("--setup", options->setup, "The setup program to put beside the segments");
    command.add_option("-j", options->jobs, "Members compressed at once (default: one per processor)")
        ->check(CLI::Range(1u, 256u));
    command.add_option("--warning", options->warning,
                       "The welcome page's text (default: warning.txt at the top of the product folder)");
    command.add_flag("--strict", options->strict, "Warnings about install.cfg stop the build too");
    return [options](ToolContext& context) { RunMedia(context, *options); };
}

}  // namespace tavlin::tool
