// The start of a run: the folder an uninstall entry names, the setup state's
// folders and lists, and the batch file that removes an uninstalled program's
// setup.exe and folder once the program has ended.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "install/install_context.h"
#include "platform/stream.h"

#include "install/setup_state.h"
#include "platform/errors.h"
#include "support/string_list.h"

namespace tavlin {

class TDelTree;

class Platform;

// A run that cannot start, with the message to show.
class ESetupStartError : public Exception {
public:
    using Exception::Exception;
};

// The uninstall entry's "UninstallString" for a key name; empty when the key or
// the value is missing.
std::string RegisteredUninstallString(Platform& platform, const std::string& keyName);

// With a command line, changes the current folder to the folder part of the
// "UninstallString" of the uninstall entry it names; any failure leaves the folder.
void ChangeToRegisteredFolder(Platform& platform, const std::string& commandLine);

// An uninstall that stopped after it had removed the log leaves the product's
// uninstall entry behind, with a folder that is gone or holds nothing but the
// setup. Started from that entry, the setup finishes the job: the rest of the
// folder and the entry go. True when the command line named such an entry.
// The expansion folders (Temp\tvlp_*) that earlier setups left behind when they
// were stopped: each one whose lock file no running setup holds is deleted. The
// current folder stays where it was.
void RemoveStaleExpansionFolders(Platform& platform, TDelTree& delTree, const ChangeRecorder& record);
// Creates and holds the lock file of this run's expansion folder; nothing when it
// cannot be made (the folder is then taken as stale by a later setup).
std::unique_ptr<FileStream> LockExpansionFolder(Platform& platform, const std::string& expandDir);

bool FinishStoppedUninstall(Platform& platform, const std::string& commandLine, const ChangeRecorder& record);

// Fills the state's folders: SourceDir (the current folder, or the folder that the
// command line names when it ends with "\" or ":", which becomes current),
// ExpandDir and SegTempDir. In install mode it claims a fresh expansion folder
// "tvlp_" + hhnnss below the Windows Temp folder, adding "_2", "_3" ... when that
// name is taken, so that setups started in the same second never share one.
// Raises ESetupStartError when the command line's folder cannot be entered.
void InitSetupState(Platform& platform, SetupState& state, const std::string& commandLine);

// The path of the self-removal batch file.
std::string SelfRemovalBatchPath(Platform& platform);
// What the batch file removes beyond the program and its folder.
struct SelfRemovalExtras {
    // How many parents of the folder, the nearest first, the installation made.
    std::size_t FoldersAbove = 0;
    // The uninstall entry that the batch deletes once the program is gone; empty
    // for none.
    std::string EntryName;
};
// The extras for an installed product's folder: the parents its uninstall entry
// says the installation made, and the entry itself where the batch can delete
// it (BatchDeletesUninstallEntry).
SelfRemovalExtras SelfRemovalExtrasOf(Platform& platform, const std::string& sourceDir, const std::string& entryName);
// The batch file's lines for a media or installation folder ending with "\".
StringList SelfRemovalBatchLines(Platform& platform, const std::string& sourceDir,
                                 const SelfRemovalExtras& extras = {});
// Writes the batch file; raises the file system's error when it cannot.
void WriteSelfRemovalBatch(Platform& platform, const std::string& sourceDir, const SelfRemovalExtras& extras = {});

}  // namespace tavlin
