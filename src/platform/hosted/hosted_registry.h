// The registry of the machine: a tree kept in registry.reg (REGEDIT4 text),
// read again when another process changed the file and rewritten atomically
// after every change, so that a killed process never leaves half a registry.
#pragma once

#include <filesystem>

#include "platform/hosted/state_files.h"
#include "platform/hosted/registry_tree.h"
#include "platform/registry.h"

namespace tavlin::hosted {

class HostedRegistry : public Registry {
public:
    // An empty file keeps the registry in memory only; seed fills a registry that
    // has no file yet.
    HostedRegistry(std::filesystem::path file, RegistryTree seed);

    bool openKey(RegistryRoot root, const std::string& path) override;
    bool createKey(RegistryRoot root, const std::string& path) override;
    std::optional<std::string> readString(RegistryRoot root, const std::string& path,
                                          const std::string& name) override;
    bool writeString(RegistryRoot root, const std::string& path, const std::string& name,
                     const std::string& value) override;
    bool writeDword(RegistryRoot root, const std::string& path, const std::string& name,
                    std::uint32_t value) override;
    bool deleteKeyTree(RegistryRoot root, const std::string& path) override;
    bool deleteValue(RegistryRoot root, const std::string& path, const std::string& name) override;
    std::vector<std::string> subKeyNames(RegistryRoot root, const std::string& path) override;

    // A DWORD value; nothing when missing or of another type.
    std::optional<std::uint32_t> readDword(RegistryRoot root, const std::string& path, const std::string& name);

private:
    RegistryKey& rootKey(RegistryRoot root);
    // The key reached by the first count names; nullptr when one is missing.
    RegistryKey* walk(RegistryRoot root, const std::vector<std::string>& names, std::size_t count);
    RegistryKey* find(RegistryRoot root, const std::string& path);
    void refresh();
    void save();

    std::filesystem::path file_;
    RegistryTree tree_;
    FileStamp stamp_;
};

}  // namespace tavlin::hosted
