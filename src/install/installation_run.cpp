// The installation run, stage by stage: clear old settings, copy the files with
// the older-library question, log every change as it happens, then the start-up
// files, shortcuts, INI and registry settings and the uninstall entry.
#include "install/installation_run.h"

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "install/folder_ownership.h"
#include "install/ini_registry.h"
#include "install/path_macros.h"
#include "install/protected_folders.h"
#include "install/record_change.h"
#include "install/shortcuts.h"
#include "install/startup_files.h"
#include "install/uninstall_log.h"
#include "platform/platform.h"
#include "support/date_time.h"
#include "support/file_utils.h"
#include "support/folders.h"
#include "support/paths.h"
#include "support/text.h"

namespace tavlin {

namespace {

void ShowStage(InstallContext& context, const std::string& caption) {
    if (context.SetStageCaption) context.SetStageCaption(caption);
}

// The folder and those of its parents that do not exist, the deepest first, each
// ending with "\".
std::vector<std::string> MissingLevels(FileSystem& files, const std::string& folder) {
    std::vector<std::string> missing;
    for (std::string level = ExcludeTrailingBackslash(folder); !level.empty() && !files.directoryExists(level);) {
        missing.push_back(IncludeTrailingBackslash(level));
        const auto cut = level.find_last_of('\\');
        if (cut == std::string::npos || cut < 3) break;
        level.erase(cut);
    }
    return missing;
}

// Creates a folder with its parents; a failure shows later as failed copies.
// Returns the folders it made, the deepest first, each ending with "\".
std::vector<std::string> CreateFolder(InstallContext& context, const std::string& folder) {
    FileSystem& files = context.platform.files();
    const std::vector<std::string> missing = MissingLevels(files, folder);
    if (missing.empty() || !files.forceDirectories(folder)) return {};
    Record(context.RecordChange, "Created folder " + folder);
    return missing;
}

// Copies source into folder for the pictures of the setup screen; one that
// cannot be copied is left out, since the product does not need it.
void CopyIntoFolder(InstallContext& context, const std::string& source, const std::string& folder) {
    try {
        CopyFileTo(context.platform, source, folder);
        Record(context.RecordChange, "Copied file " + source + " to " + folder + ExtractFileName(source));
    } catch (const EStreamError&) {
        // A missing picture leaves the screen plainer; the installation is whole.
    }
}

// Why a file could not be copied, in the words of the system where it has them.
std::string CopyFailureReason(Platform& platform, const std::string& source, const std::string& target,
                              const std::string& error) {
    FileSystem& files = platform.files();
    if (!files.fileExists(source)) return "The setup's copy of the file is missing (" + source + ").";
    if (const auto attributes = files.attributes(target); attributes && (*attributes & faReadOnly)) {
        return "The file on this computer is read-only.";
    }
    if (files.directoryExists(target)) return "A folder of that name is in the way.";
    return error;
}

// Makes the folder of a file again when it has gone since it was made or found:
// true when it made anything, so that a copy that failed is worth trying again.
using RemakeFolder = std::function<bool()>;

// Copies one file, and when that fails asks whether to try again, leave the file
// out or stop the installation. Silent runs stop (the safe default).
void CopyOrAsk(InstallContext& context, const std::string& source, const std::string& folder,
               const RemakeFolder& remakeFolder) {
    Platform& platform = context.platform;
    const std::string target = folder + ExtractFileName(source);
    bool folderRemade = false;
    for (;;) {
        std::string error;
        try {
            // A missing source fails to open with the error that names it.
            CopyFileAs(platform, source, target);
            Record(context.RecordChange, "Copied file " + source + " to " + target);
            return;
        } catch (const EStreamError& failure) {
            error = failure.what();
        }
        if (!folderRemade) {
            folderRemade = true;
            if (remakeFolder()) continue;
        }
        const std::string reason = CopyFailureReason(platform, source, target, error);
        Record(context.RecordNote, "Failed to install " + target + ": " + reason);
        const MessageResult answer = context.ui.MessageBox(
            "The file\r" + target + "\rcould not be installed.\r\r" + reason +
                "\r\rAbort stops the installation, Retry tries again, Ignore goes on without this file.",
            MessageButtons::AbortRetryIgnore, MessageKind::Error, MessageResult::Abort);
        if (answer == MessageResult::Retry) continue;
        if (answer == MessageResult::Ignore) return;
        throw EInstallationAborted("The installation was stopped: " + target + " could not be installed. " + reason);
    }
}

std::string DateText(Platform& platform, TDateTime date) {
    return platform.clock().formatLongDateShortTime(DecodeDateTime(date));
}

// Copies one file into folder unless a newer library of its name is there and the
// user keeps it. A missing source asks no question about dates; its copy fails.
void InstallFile(InstallContext& context, const std::string& source, const std::string& folder,
                 const RemakeFolder& remakeFolder) {
    Platform& platform = context.platform;
    FileSystem& files = platform.files();
    const std::string name = ExtractFileName(source);
    const std::string existing = folder + name;
    // Only a library already there is asked about, so only then are dates read.
    if (!Contains(UpperCaseAscii(name), ".DLL") || !files.fileExists(source) || !files.fileExists(existing)) {
        CopyOrAsk(context, source, folder, remakeFolder);
        return;
    }
    const auto sourceTime = files.lastWriteTime(source);  // it exists: asked above
    const TDateTime sourceDate = sourceTime ? DosDateTimeToDateTime(*sourceTime) : 0;
    const TDateTime existingDate = FileDate(platform, existing);
    if (existingDate > sourceDate) {
        const std::string question = "File being copied is older than the file on PC\r\rDo you wish to keep existing file:\r" +
                                     name + "\r" + DateText(platform, existingDate) + "\r\r" + name + "\r" +
                                     DateText(platform, sourceDate);
        const MessageResult answer = context.ui.MessageBox(question, MessageButtons::YesNo,
                                                                    MessageKind::Confirmation, MessageResult::Yes);
        if (answer != MessageResult::No) return;  // the newer library stays
        if (files.deleteFile(existing)) Record(context.RecordChange, "Deleted file " + existing);
    }
    CopyOrAsk(context, source, folder, remakeFolder);
}

}  // namespace

bool IsRepeatedTarget(const SetupState& state, std::size_t index, const std::string& target) {
    const auto& targets = state.InstallTargets.Lines();
    if (index >= targets.size() || std::find(targets.begin() + static_cast<std::ptrdiff_t>(index) + 1, targets.end(),
                                             target) == targets.end()) {
        return false;
    }
    const std::string name = ExtractFileName(target);
    return std::none_of(state.LaunchApps.begin(), state.LaunchApps.end(),
                        [&name](const std::string& app) { return ExtractFileName(app) == name; });
}

void RunInstallation(InstallContext& context) {
    Platform& platform = context.platform;
    FileSystem& files = platform.files();
    SetupState& state = context.state;

    ClearIniRegistryTargets(context);

    EngineUi& ui = context.ui;
    const int maxProgress = static_cast<int>(state.InstallTargets.Count()) + 2;
    ui.StartProgress(maxProgress, ProgressAnimation::CopyFiles);
    context.ProgressCount = 0;

    // The setup and its configuration go along, so that the installed copy can
    // uninstall the product.
    const std::string drive = context.Main_Dir.substr(0, 1);
    for (const char* tail : {":\\setup.exe", ":\\install.cfg", ":\\finstall.cfg"}) {
        state.ArchiveFileList.Add("Installation Directory," + drive + tail);
    }
    BuildInstallLists(platform, state, context.Main_Dir);
    const std::string installFolder = context.Main_Dir;

    const std::string windows = WindowsFolder(platform);
    const std::array<std::string, 4> systemFolders = {windows + "\\", windows + "\\System\\", windows + "\\System32\\",
                                                      windows + "\\Fonts\\"};
    const ProtectedFolders protectedFolders(platform);
    const std::string logPath = installFolder + "uninstaller.cfg";
    FolderOwnership ownership(platform, logPath);
    // Files in a folder shared with the system or other products, or in one that
    // held files before, are logged one by one, since the uninstall empties no
    // such folder by pattern.
    const auto logsSingly = [&](const std::string& folder) {
        return std::find(systemFolders.begin(), systemFolders.end(), folder) != systemFolders.end() ||
               protectedFolders.Contains(folder) || !ownership.IsOurs(folder);
    };

    // Registered before anything else is made, so that a run that stops from here
    // on can be undone from the list of installed programs (until the log exists,
    // the entry alone tells the uninstall that nothing else is left).
    RegisterUninstallEntry(context);
    ownership.Claim(installFolder);
    {
        std::vector<std::string> above = MissingLevels(files, installFolder);
        if (!above.empty()) above.erase(above.begin());  // the folder itself goes with its contents
        RecordFoldersMadeAbove(context, above);
    }
    const std::vector<std::string> madeForInstallFolder = CreateFolder(context, installFolder);

    files.deleteFile(logPath);  // a missing old log is fine; a locked one fails below
    UninstallLog log(platform, logPath);
    log.Create(context.Title);
    Record(context.RecordChange, "Created uninstall log " + logPath);

    // Folders the run makes are logged for removal, except inside an installation
    // folder that the uninstall deletes whole. The others (inside a folder that
    // held files before, or above the installation folder) would otherwise stay
    // behind, empty. They go into a section of their own: the folder list keeps
    // the entries and the order that every reader expects.
    const bool installFolderGoesWhole = !logsSingly(installFolder);
    const auto logMadeFolders = [&](const std::vector<std::string>& made) {
        for (const auto& level : made) {
            if (installFolderGoesWhole && StartsWith(UpperCaseAscii(level), UpperCaseAscii(installFolder))) continue;
            log.AddCreatedFolder(level);
        }
    };
    logMadeFolders(madeForInstallFolder);

    // A claim is never taken back, so what a folder's first file decided holds for
    // the files after it: they ask no more of the folder's names.
    std::map<std::string, bool> folderLogsSingly;
    // Where each target comes last: most are not repeated, which this tells without
    // a search through the lines after them.
    std::map<std::string, std::size_t> lastLine;
    for (std::size_t i = 0; i < state.InstallTargets.Count(); ++i) lastLine[state.InstallTargets[i]] = i;
    // Files logged one by one go into the log ahead of their turn, in batches as
    // large as all logged before: one rewrite of the log per batch, so their cost
    // grows with their number, not with its square. Only files that are not there
    // yet are named ahead: a run stopped before making one leaves an entry for a
    // missing file, which the uninstall passes over, but never one for a file of
    // someone else's that the run had not yet replaced.
    std::set<std::string> loggedAhead;
    std::optional<std::string> madeFolder;  // the last file's folder, made or found
    const auto logSingly = [&](std::size_t i, const std::string& folder) {
        const std::string& target = state.InstallTargets[i];
        if (loggedAhead.count(target) > 0) return;
        std::vector<std::string> batch{target};
        const std::size_t limit = std::max<std::size_t>(1, loggedAhead.size());
        for (std::size_t j = i + 1; j < state.InstallTargets.Count() && batch.size() < limit; ++j) {
            const std::string& next = state.InstallTargets[j];
            // Only the files right after it in the same folder, which logs singly too.
            if (next.size() == folder.size() || next.substr(0, next.rfind('\\') + 1) != folder) break;
            if (loggedAhead.count(next) == 0 && !files.fileExists(next)) batch.push_back(next);
        }
        log.AddFiles(batch);
        loggedAhead.insert(batch.begin(), batch.end());
    };
    for (std::size_t i = 0; i < state.InstallTargets.Count(); ++i) {
        const std::string source = state.InstallFiles[i];
        const std::string target = state.InstallTargets[i];
        const std::string folder = target.substr(0, target.rfind('\\') + 1);  // npos + 1: no folder
        const std::string name = target.substr(folder.size());

        ++context.ProgressCount;
        ui.UpdateProgress(context.ProgressCount, "Installing ..", name);
        auto decided = folderLogsSingly.find(folder);
        if (decided == folderLogsSingly.end()) ownership.Claim(folder);
        // The files of one folder follow one another: it is made (or found) once
        // for the run of them, and again only when a copy into it fails.
        const auto makeFolder = [&] {
            const std::vector<std::string> made = CreateFolder(context, folder);
            logMadeFolders(made);
            madeFolder = folder;
            return !made.empty();
        };
        if (madeFolder != folder) makeFolder();
        if (decided == folderLogsSingly.end()) decided = folderLogsSingly.emplace(folder, logsSingly(folder)).first;
        const bool singly = decided->second;

        if (name.empty()) {
            if (!singly) {
                log.AddFolder(folder);
                log.AddFile(folder + "*.*");
            }
            continue;
        }
        if (folder.empty()) {
            // A line without a destination (the pictures of the setup screen, which
            // are copied below) has nowhere to go here.
            Record(context.RecordNote, "No destination for " + source + "; not copied");
            continue;
        }
        if (singly) {
            logSingly(i, folder);
        } else {
            log.AddFile(folder + "*.*");
        }
        InstallFile(context, source, folder, makeFolder);
        if (lastLine[target] > i && IsRepeatedTarget(state, i, target) && files.deleteFile(source)) {
            Record(context.RecordChange, "Deleted file " + source);
        }
    }

    const bool folderShared = logsSingly(installFolder);
    log.AddFile(folderShared ? logPath : installFolder + "*.*");
    for (const std::string* picture : {&state.LogoFile, &state.BitmapFile}) {
        if (picture->empty()) continue;
        if (folderShared) log.AddFile(installFolder + ExtractFileName(*picture));
        CopyIntoFolder(context, state.ExpandDir + *picture, installFolder);
    }
    ui.UpdateProgress(maxProgress, "Files Copied..", "Finished");

    ShowStage(context, "Updating Settings");
    ui.ProcessMessages();
    BuildStartupBlock(platform, context.Main_Dir, context.Title, state.AutoexecLines);
    ui.ProcessMessages();
    BuildStartupBlock(platform, context.Main_Dir, context.Title, state.ConfigSysLines);
    // A start-up file that only the product's block fills is the product's; an
    // empty one made for a setup without lines keeps the log as older readers know it.
    const auto logCreatedFile = [&log](const StringList& block) {
        return [&log, &block](const std::string& path) {
            if (!block.Empty()) log.AddCreatedStartupFile(path);
        };
    };
    AppendBlockToFile(platform, "AUTOEXEC.BAT", context.Title, state.AutoexecLines, context.RecordChange,
                      logCreatedFile(state.AutoexecLines));
    AppendBlockToFile(platform, "CONFIG.SYS", context.Title, state.ConfigSysLines, context.RecordChange,
                      logCreatedFile(state.ConfigSysLines));

    ShowStage(context, "Creating Folders");
    for (std::size_t item = 0; item < state.DesktopItems.Count(); ++item) CreateItemShortcuts(context, log, item);

    ShowStage(context, "Updating Registry Settings");
    ApplyIniRegistryEntries(context, log);
    RegisterUninstallEntry(context);

    log.SetTitle(context.Title);

    ui.ProcessMessages();
    if (context.SelectFinishedPage) {
        try {
            context.SelectFinishedPage();
        } catch (const std::exception&) {
            // The installation is complete; a page that cannot be shown changes nothing.
        }
    }
}

}  // namespace tavlin
