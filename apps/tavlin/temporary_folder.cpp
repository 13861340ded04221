// Temporary folders with names no other run uses.
#include "temporary_folder.h"

#include <random>

#include "platform/errors.h"

namespace tavlin::tool {

TemporaryFolder::TemporaryFolder(HostFiles& host) {
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0;; ++attempt) {
        hostPath_ = base / ("tavlin-" + std::to_string(random()));
        std::error_code error;
        if (std::filesystem::create_directory(hostPath_, error)) break;
        if (attempt == 100) throw Exception("cannot create a temporary folder in " + base.string());
    }
    path_ = host.PathOf(hostPath_.string());
}

TemporaryFolder::~TemporaryFolder() {
    // What cannot be removed stays in the host's temporary space; the command's
    // own result does not depend on it.
    std::error_code ignored;
    std::filesystem::remove_all(hostPath_, ignored);
}

}  // namespace tavlin::tool
