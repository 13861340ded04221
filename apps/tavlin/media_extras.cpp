// The media command's work beside the archives: the install.cfg check, the
// welcome text and the summary.
#include "media_extras.h"

#include <iostream>

#include "config/config_check.h"
#include "config/config_summary.h"
#include "support/paths.h"
#include "support/string_list.h"
#include "support/text.h"

namespace tavlin::tool {

namespace {

constexpr const char* kWelcomeFile = "warning.txt";

std::vector<std::string> ReadLines(FileSystem& files, const std::string& path) {
    StringList lines;
    lines.LoadFromFile(files, path);
    return lines.Lines();
}

std::string Plural(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::string TakeWelcomeText(HostFiles& host, Product& product, const std::string& warningArgument) {
    if (!warningArgument.empty()) {
        const std::string path = host.PathOf(warningArgument);
        if (!host.Files().fileExists(path)) throw Exception(warningArgument + ": no such file");
        return path;
    }
    for (auto folder = product.Folders.begin(); folder != product.Folders.end(); ++folder) {
        if (!folder->Relative.empty()) continue;
        for (auto file = folder->Files.begin(); file != folder->Files.end(); ++file) {
            if (!SameTextAscii(file->Name, kWelcomeFile)) continue;
            // The setup's own text: shown on the welcome page, not installed.
            std::string path = file->Path;
            folder->Files.erase(file);
            if (folder->Files.empty()) product.Folders.erase(folder);
            return path;
        }
    }
    return {};
}

ConfigDocument CheckConfigForMedia(HostFiles& host, const ConfigCheckOptions& options, const Product& product,
                                   const std::vector<std::string>& fileList, bool shipsWelcomeText,
                                   bool shipsSetup) {
    ConfigDocument config(ReadLines(host.Files(), options.ConfigPath));
    MediaContents contents;
    contents.FileListLines = fileList;
    for (const auto& folder : product.Folders) {
        for (const auto& file : folder.Files) contents.ExpandedFiles.push_back((product.Root + folder.Relative).substr(3) + file.Name);
    }
    contents.ExpandedFiles.insert(contents.ExpandedFiles.end(), {"install.cfg", "finstall.cfg"});
    if (shipsSetup) contents.ExpandedFiles.push_back("setup.exe");
    if (shipsWelcomeText) contents.ExpandedFiles.push_back(kWelcomeFile);

    std::size_t errors = 0;
    std::size_t warnings = 0;
    for (const auto& finding : CheckConfig(config, contents)) {
        std::cerr << host.TerminalTextOf(FormatFinding(options.ConfigArgument, finding)) << "\n";
        ++(finding.Level == FindingLevel::Error ? errors : warnings);
    }
    if (errors > 0 || (options.Strict && warnings > 0)) {
        throw Exception(options.ConfigArgument + ": " + Plural(errors, "error", "errors") + ", " +
                        Plural(warnings, "warning", "warnings") + (options.Strict ? " (--strict)" : ""));
    }
    return config;
}

TSegArchiveInput WelcomeTextArchive(TZiviArchive& archiver, const std::string& welcomePath,
                                    const std::string& archivePath, TCompressionMethod method) {
    // Members of the template C:\*.* land at the root of the expansion folder.
    archiver.CompressArchive(archivePath, {{welcomePath, kWelcomeFile}}, {method, 0});
    return {"C:\\*.*", archivePath};
}

void PrintMediaSummary(ToolContext& context, const ConfigDocument& config,
                       const std::vector<TSegArchiveInput>& archives, const std::vector<std::string>& segments) {
    const ConfigSummary summary = SummarizeConfig(config);
    std::ostream& out = context.out;
    HostFiles& host = context.host;
    out << "The setup installs \"" << host.TerminalTextOf(summary.Title) << "\" into "
        << host.TerminalTextOf(summary.DefaultFolder) << " by default.\n";
    TZiviArchive archiver(host.Files());
    std::uint64_t totalFiles = 0, totalBytes = 0, totalPacked = 0;
    for (const auto& archive : archives) {
        TArchiveList list;
        archiver.ListArchive(archive.ArchivePath, list);
        std::uint64_t bytes = 0, packed = 0;
        for (const auto& entry : list) {
            bytes += static_cast<std::uint64_t>(entry.Info.ExpandedSize);
            packed += static_cast<std::uint64_t>(entry.Info.CompressedSize);
        }
        totalFiles += list.size();
        totalBytes += bytes;
        totalPacked += packed;
        out << "  archive " << host.TerminalTextOf(archive.Template) << ": " << Plural(list.size(), "file", "files")
            << ", " << bytes << " bytes, packed " << packed << "\n";
    }
    out << "  " << Plural(archives.size(), "archive", "archives") << ", " << Plural(totalFiles, "file", "files")
        << ", " << totalBytes << " bytes, packed " << totalPacked << ", in "
        << Plural(segments.size(), "segment", "segments") << "\n";
    out << "  " << Plural(summary.Shortcuts.size(), "shortcut", "shortcuts");
    for (const auto& shortcut : summary.Shortcuts) out << "\n    " << host.TerminalTextOf(shortcut);
    out << "\n  " << Plural(summary.IniSettings, "INI setting", "INI settings") << ", "
        << Plural(summary.RegistrySettings, "registry setting", "registry settings") << "\n";
    out << "  start-up lines: " << summary.AutoexecLines << " in AUTOEXEC.BAT, " << summary.ConfigSysLines
        << " in CONFIG.SYS\n";
    if (!summary.LaunchFiles.empty()) {
        out << "  opened after the installation:";
        for (const auto& file : summary.LaunchFiles) out << " " << host.TerminalTextOf(ExtractFileName(file));
        out << "\n";
    }
    if (!summary.FinishedProgram.empty()) {
        out << "  the Finished page offers to start " << host.TerminalTextOf(summary.FinishedProgram) << "\n";
    }
    out << "  uninstall entry: \"" << host.TerminalTextOf(summary.Title) << "\"\n";
}

}  // namespace tavlin::tool
