// Journal lines: execute verb=".." file=".." parameters=".." folder=".." show=N
// owner=desktop|main, and "run batch file=.." when a queued batch file runs.
#include "platform/hosted/hosted_shell.h"

#include <string_view>

#include "platform/errors.h"
#include "platform/hosted/batch_interpreter.h"
#include "platform/hosted/hosted_shell_link.h"
#include "platform/hosted/stream_text.h"
#include "platform/hosted/windows_text.h"

namespace tavlin::hosted {

namespace {

constexpr std::uintptr_t kSmallImageList = 0x00510000;
constexpr int kFolderIcon = 3;

std::string extensionOf(const std::string& path) {
    const auto name = path.substr(path.find_last_of("\\/:") + 1);
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : upperWindows(name.substr(dot + 1));
}

bool isBatchFile(const std::string& path) {
    const std::string extension = extensionOf(path);
    return extension == "BAT" || extension == "CMD";
}

}  // namespace

bool HostedShell::execute(ShellOwner owner, const std::string& verb, const std::string& file,
                          const std::string& parameters, const std::string& folder, int showCommand) {
    journal_.add("execute verb=" + journalQuote(verb) + " file=" + journalQuote(file) +
                 " parameters=" + journalQuote(parameters) + " folder=" + journalQuote(folder) +
                 " show=" + std::to_string(showCommand) +
                 " owner=" + (owner == ShellOwner::Desktop ? "desktop" : "main"));
    if (file.empty()) {
        lastFailure_ = "ShellExecuteA: no file named";
        return false;
    }
    if (isBatchFile(file)) {
        // A bare name is looked for in the given folder first, as the shell does.
        std::string path = file;
        if (file.find_first_of("\\/:") == std::string::npos && !folder.empty() &&
            files_.fileExists(folder + "\\" + file)) {
            path = folder + "\\" + file;
        }
        if (!files_.fileExists(path)) {
            lastFailure_ = "ShellExecuteA: The system cannot find the file specified.";
            return false;
        }
        const std::string start = folder.empty() ? files_.currentDirectory() : files_.fullPathName(folder);
        pending_.push_back({files_.fullPathName(path), start});
        return true;
    }
    if (launch_) launch_(ShellRequest{owner, verb, file, parameters, folder, showCommand});
    return true;
}

void HostedShell::runPendingBatchFiles() {
    const std::string saved = files_.currentDirectory();
    while (!pending_.empty()) {
        const PendingBatch batch = pending_.front();
        pending_.pop_front();
        journal_.add("run batch file=" + journalQuote(batch.file));
        std::string script;
        try {
            script = readWholeStream(*files_.openRead(batch.file));
        } catch (const EStreamError&) {
            continue;  // the command interpreter cannot run a file it cannot read
        }
        files_.setCurrentDirectory(batch.folder);
        BatchInterpreter(files_, &registry_).run(script);
    }
    // The batch may have removed the folder that was current; its drive's root then.
    if (!files_.setCurrentDirectory(saved)) files_.setCurrentDirectory(saved.substr(0, 2) + "\\");
}

std::unique_ptr<ShellLink> HostedShell::createShellLink() { return std::make_unique<HostedShellLink>(files_); }

int HostedShell::smallIconIndex(const std::string& path) {
    const auto attributes = files_.attributes(path);
    if (!attributes) return 0;
    if (*attributes & faDirectory) return kFolderIcon;
    // FNV-1a over the extension, folded into a small range above the fixed icons.
    std::uint32_t hash = 2166136261u;
    for (const char c : extensionOf(path)) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return 10 + static_cast<int>(hash % 200);
}

std::uintptr_t HostedShell::systemSmallImageList(const std::string& path) { return kSmallImageList; }

}  // namespace tavlin::hosted
