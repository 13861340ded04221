// The shell-link object of the machine: collects what is set on it and saves a
// real .lnk file through the machine's file system, with the target's attributes,
// size and times taken when it is saved.
#pragma once

#include "platform/hosted/hosted_file_system.h"
#include "platform/hosted/shell_link_file.h"
#include "platform/shell.h"

namespace tavlin::hosted {

class HostedShellLink : public ShellLink {
public:
    explicit HostedShellLink(HostedFileSystem& files) : files_(files) {}

    void setPath(const std::string& path) override;
    void setWorkingDirectory(const std::string& folder) override { link_.workingDirectory = folder; }
    void setIconLocation(const std::string& file, int index) override;
    void setArguments(const std::string& arguments) override { link_.arguments = arguments; }
    void setShowCommand(int showCommand) override { link_.showCommand = showCommand; }
    bool save(const std::string& path) override;

private:
    HostedFileSystem& files_;
    ShellLinkData link_;
};

}  // namespace tavlin::hosted
