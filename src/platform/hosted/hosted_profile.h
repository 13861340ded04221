// GetPrivateProfileStringA and WritePrivateProfileStringA on the machine: INI
// files are read and written through its file system, so letter case, short
// names, sharing and the read-only attribute apply to them as to any file.
#pragma once

#include "platform/hosted/hosted_file_system.h"
#include "platform/profile.h"

namespace tavlin::hosted {

class HostedProfile : public Profile {
public:
    explicit HostedProfile(HostedFileSystem& files) : files_(files) {}

    std::string readString(const std::string& file, const std::string& section, const std::string& key,
                           const std::string& defaultValue, std::size_t bufferSize) override;
    std::vector<std::string> readKeyNames(const std::string& file, const std::string& section,
                                          std::size_t bufferSize) override;
    bool writeString(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) override;
    bool writeStrings(const std::string& file, const std::string& section,
                      const std::vector<std::pair<std::string, std::string>>& keys) override;
    bool deleteKey(const std::string& file, const std::string& section, const std::string& key) override;

private:
    // A bare file name means a file in the Windows folder.
    std::string pathOf(const std::string& file);
    std::optional<std::string> load(const std::string& path);
    // The bytes to change: empty for a missing file, nothing for one that is
    // there but cannot be read.
    std::optional<std::string> loadForChange(const std::string& path);
    // Replaces the file's bytes as one step, so that a run that is killed leaves
    // either the old file or the new one, never a part of it.
    bool store(const std::string& path, const std::string& text);

    HostedFileSystem& files_;
};

}  // namespace tavlin::hosted
