// tavlin pack: writes an archive of the named files and folders. Names are
// taken relative to -C DIR, folders are walked in name order, and members are
// stored under their relative names with "\" between the parts.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <memory>
#include <set>

#include "compress/member_names.h"
#include "compress/zivi_archive.h"
#include "member_compressor_pool.h"
#include "support/text.h"
#include "tool_command.h"

namespace tavlin::tool {

namespace {

struct PackOptions {
    std::string method = "lh5";
    std::string key;
    int lock = 2;
    std::string folder = ".";
    std::string archive;
    std::vector<std::string> names;
    unsigned jobs = 0;  // 0: one worker per processor
};

TCompressionMethod MethodNamed(const std::string& name) {
    if (name == "none") return coNone;
    if (name == "rle") return coRLE;
    if (name == "lzh") return coLZH;
    return coLZH5;
}

// A NAME argument as a relative stored name: "/" becomes "\", "." parts go,
// and it may not climb out of DIR or name a drive.
std::string StoredPrefixOf(HostFiles& host, const std::string& argument) {
    std::string name = host.AnsiOf(argument);
    std::replace(name.begin(), name.end(), '/', '\\');
    std::string prefix;
    std::size_t start = 0;
    while (start <= name.size()) {
        const std::size_t end = std::min(name.find('\\', start), name.size());
        const std::string part = name.substr(start, end - start);
        if (!part.empty() && part != ".") prefix += (prefix.empty() ? "" : "\\") + part;
        start = end + 1;
    }
    // "." parts of a command-line argument are the user's, and go; the rest
    // must be a name the archive's readers accept.
    if (IsRootedMemberName(name) || (!prefix.empty() && IsUnsafeMemberName(prefix))) {
        throw UsageError(argument + ": names must lie inside the folder given by -C");
    }
    return prefix;
}

class FileCollector {
public:
    FileCollector(FileSystem& files, std::string base, std::string archivePath)
        : files_(files), base_(std::move(base)), archivePath_(std::move(archivePath)) {}

    // Adds the file or folder stored as prefix; false when nothing is there.
    bool Add(const std::string& prefix) {
        const std::string path = prefix.empty() ? base_ : base_ + "\\" + prefix;
        if (files_.directoryExists(path)) {
            AddFolder(path, prefix);
            return true;
        }
        if (!files_.fileExists(path)) return false;
        AddFile(path, prefix);
        return true;
    }

    const std::vector<TFileToArchive>& Files() const { return list_; }

private:
    void AddFolder(const std::string& path, const std::string& prefix) {
        auto entries = files_.findAll(path + "\\*");
        std::sort(entries.begin(), entries.end(), [](const FindData& a, const FindData& b) { return a.name < b.name; });
        for (const auto& entry : entries) {
            if (entry.name == "." || entry.name == "..") continue;
            const std::string childPath = path + "\\" + entry.name;
            const std::string childName = prefix.empty() ? entry.name : prefix + "\\" + entry.name;
            if (entry.attributes & faDirectory) {
                AddFolder(childPath, childName);
            } else {
                AddFile(childPath, childName);
            }
        }
    }

    void AddFile(const std::string& path, const std::string& name) {
        // The archive being written is not packed into itself.
        if (SameTextAscii(files_.fullPathName(path), archivePath_)) return;
        // A name given twice, or inside a folder also given, is stored once.
        if (!seen_.insert(UpperCaseAscii(name)).second) return;
        list_.push_back({path, name});
    }

    FileSystem& files_;
    std::string base_;
    std::string archivePath_;
    std::vector<TFileToArchive> list_;
    std::set<std::string> seen_;
};

void RunPack(ToolContext& context, const PackOptions& options) {
    FileSystem& files = context.host.Files();
    const std::string base = context.host.PathOf(options.folder);
    const std::string archivePath = context.host.PathOf(options.archive);
    if (!files.directoryExists(base)) throw Exception(options.folder + ": no such folder");

    FileCollector collector(files, base, files.fullPathName(archivePath));
    for (const auto& name : options.names) {
        if (!collector.Add(StoredPrefixOf(context.host, name))) {
            throw Exception(name + ": no such file or folder in " + options.folder);
        }
    }

    TZiviArchive archive(files);
    archive.YieldBetweenBuffers = false;  // no window waits for its turn
    archive.Key = options.key.empty() ? 0 : ParseKey(options.key);
    const unsigned workers = options.jobs == 0 ? MemberCompressorPool::DefaultWorkers() : options.jobs;
    std::unique_ptr<MemberCompressorPool> pool;
    if (workers > 1) pool = std::make_unique<MemberCompressorPool>(workers);
    archive.CompressArchive(archivePath, collector.Files(), {MethodNamed(options.method), options.lock}, pool.get());
}

}  // namespace

CommandAction DeclarePack(CLI::App& command) {
    auto options = std::make_shared<PackOptions>();
    command.add_option("-m", options->method, "Compression method (default lh5)")
        ->check(CLI::IsMember({"none", "rle", "lzh", "lh5"}));
    auto* key = command.add_option("-k", options->key, "Key that locks the members");
    command.add_option("-l", options->lock, "Lock level: 2 locks and scrambles (default), 1 only locks")
        ->check(CLI::IsMember({1, 2}))
        ->needs(key);
    command.add_option("-j", options->jobs, "Members compressed at once (default: one per processor)")
        ->check(CLI::Range(1u, 256u));
    command.add_option("-C", options->folder, "Folder the NAMEs are relative to (default: the current folder)");
    command.add_option("ARCHIVE", options->archive, "Archive to write")->required();
    command.add_option("NAME", options->names, "Files and folders to pack")->required();
    return [options](ToolContext& context) { RunPack(context, *options); };
}

}  // namespace tavlin::tool
