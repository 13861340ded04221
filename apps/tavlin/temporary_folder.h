// A folder of the host's temporary space for one command's working files,
// removed with everything in it when the command ends.
#pragma once

#include <filesystem>
#include <string>

#include "host_files.h"

namespace tavlin::tool {

class TemporaryFolder {
public:
    explicit TemporaryFolder(HostFiles& host);
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    // The folder as the file system names it, without a trailing "\".
    const std::string& Path() const { return path_; }

private:
    std::filesystem::path hostPath_;
    std::string path_;
};

}  // namespace tavlin::tool
