// Deleting a folder tree: every file (read-only, hidden and system ones too) and
// every subfolder, then the folder itself. A failure ends only the folder it
// happens in; the folders above go on and then stay, because they are not empty.
#include "uninstall/del_tree.h"

#include "install/engine_ui.h"
#include "platform/platform.h"
#include "support/paths.h"
#include "support/text.h"

namespace tavlin {

namespace {

// Every entry but volume labels.
constexpr std::uint32_t kTreeEntries = faReadOnly | faHidden | faSysFile | faDirectory | faArchive;

// A path that names nothing, or a whole drive: never a tree to wipe. A bare "C:"
// counts too, since Windows reads it as that drive's current folder.
bool IsDriveOrNothing(FileSystem& files, const std::string& path) {
    if (path.empty() || (path.size() == 2 && path[1] == ':')) return true;
    std::string full = files.fullPathName(path);
    while (EndsWith(full, "\\")) full.pop_back();
    return full.size() <= 2;
}

}  // namespace

TDelTree::TDelTree(Platform& platform, EngineUi& ui) : platform_(platform), ui_(ui) {}

bool TDelTree::DeleteTree() {
    FileSystem& files = platform_.files();
    errorReported_ = false;
    // Stepping out first keeps the process from standing in the folder it removes.
    files.setCurrentDirectory(IncludeTrailingBackslash(files.currentDirectory()) + "..");  // failure: stay
    if (EndsWith(Path, "\\")) Path.pop_back();
    if (IsDriveOrNothing(files, Path)) {
        ReportTreeError("Cannot delete directory %s", Path);
        return false;
    }
    if (!files.directoryExists(Path)) {
        ReportTreeError("The directory %s doesn't exist", Path);
        return true;
    }
    return DeleteFolderContents(Path);
}

bool TDelTree::DeleteFolderContents(const std::string& path) {
    FileSystem& files = platform_.files();
    const std::string folder = EndsWith(path, "\\") ? path : path + "\\";
    bool result = true;
    for (const auto& entry : files.find(folder + "*.*", kTreeEntries)) {
        const std::string entryPath = folder + entry.name;
        if (entry.attributes & faDirectory) {
            if (entry.name == "." || entry.name == "..") continue;
            // A failure below does not stop this level.
            if (!DeleteFolderContents(entryPath)) result = false;
            continue;
        }
        if (OnProcessFile) {
            bool cancel = false;
            OnProcessFile(*this, entryPath, entry, cancel);
            if (cancel) {
                ReportTreeError("DelTree aborted by user !", "");
                return false;
            }
        }
        // Read-only, hidden and system files must go too; a plain one needs no change first.
        if (entry.attributes & (faReadOnly | faHidden | faSysFile)) files.setAttributes(entryPath, 0);
        if (!files.deleteFile(entryPath)) {
            ReportTreeError("Cannot delete file %s", entryPath);
            return false;
        }
    }
    const std::string self = folder.substr(0, folder.size() - 1);
    files.setAttributes(self, 0);
    if (!files.removeDirectory(self)) {
        ReportTreeError("Cannot delete directory %s", self);
        result = false;
    }
    return result;
}

void TDelTree::ReportTreeError(const std::string& format, const std::string& argument) {
    if (Verbose && !errorReported_) {
        std::string text = format;
        if (const auto at = text.find("%s"); at != std::string::npos) text.replace(at, 2, argument);
        ui_.MessageBox(text, MessageButtons::Ok, MessageKind::Error, MessageResult::Ok);
    }
    errorReported_ = true;
}

}  // namespace tavlin
