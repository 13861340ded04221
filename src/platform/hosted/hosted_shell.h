// The shell of the machine: requests to start something are journaled; a batch
// file is queued and run after the starting program has ended; other programs
// go to the launch handler. Shell links are real .lnk files; small-icon indexes
// are stable numbers per file extension.
#pragma once

#include <deque>
#include <functional>

#include "platform/hosted/hosted_file_system.h"
#include "platform/hosted/hosted_machine.h"
#include "platform/hosted/journal.h"
#include "platform/registry.h"
#include "platform/shell.h"

namespace tavlin::hosted {

class HostedShell : public Shell {
public:
    // The registry is there for the batch files, which may delete a key.
    HostedShell(HostedFileSystem& files, Registry& registry, Journal& journal)
        : files_(files), registry_(registry), journal_(journal) {}

    bool execute(ShellOwner owner, const std::string& verb, const std::string& file, const std::string& parameters,
                 const std::string& folder, int showCommand) override;
    std::unique_ptr<ShellLink> createShellLink() override;
    int smallIconIndex(const std::string& path) override;
    std::uintptr_t systemSmallImageList(const std::string& path) override;
    std::string lastFailure() const override { return lastFailure_; }

    void setLaunchHandler(std::function<void(const ShellRequest&)> handler) { launch_ = std::move(handler); }
    void runPendingBatchFiles();

private:
    struct PendingBatch {
        std::string file;    // full path
        std::string folder;  // where the interpreter starts
    };

    HostedFileSystem& files_;
    Registry& registry_;
    Journal& journal_;
    std::string lastFailure_;
    std::function<void(const ShellRequest&)> launch_;
    std::deque<PendingBatch> pending_;
};

}  // namespace tavlin::hosted
