// The registry on advapi32's ANSI functions.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/registry.h"

namespace tavlin::win32 {

class Win32Registry : public Registry {
public:
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
    std::string lastFailure() const override { return lastFailure_; }

private:
    // Notes a failed call's status; true when the status is a success.
    bool succeeded(const char* call, LONG status);
    bool setValue(RegistryRoot root, const std::string& path, const std::string& name, DWORD type,
                  const void* data, std::size_t size);

    std::string lastFailure_;
};

// The key path as the registry functions take it: without the "\" it may begin
// or end with.
std::string registryKeyPath(const std::string& path);

}  // namespace tavlin::win32
