// The registry under HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER. Key paths use "\"
// between names, ignore letter case and may begin with "\" (taken from the root).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavlin {

enum class RegistryRoot { LocalMachine, CurrentUser };

class Registry {
public:
    virtual ~Registry() = default;

    // RegOpenKeyExA with all access (0xF003F): true when the key exists and opens.
    virtual bool openKey(RegistryRoot root, const std::string& path) = 0;
    // RegCreateKeyExA: opens the key, creating it and its missing parents.
    virtual bool createKey(RegistryRoot root, const std::string& path) = 0;
    // A string value; nothing when the key or the value is missing or cannot be read.
    // An empty name reads the key's default value.
    virtual std::optional<std::string> readString(RegistryRoot root, const std::string& path,
                                                  const std::string& name) = 0;
    // Sets a string (REG_SZ) or DWORD value of an existing key.
    virtual bool writeString(RegistryRoot root, const std::string& path, const std::string& name,
                             const std::string& value) = 0;
    virtual bool writeDword(RegistryRoot root, const std::string& path, const std::string& name,
                            std::uint32_t value) = 0;
    // Deletes a key with all its subkeys and values.
    virtual bool deleteKeyTree(RegistryRoot root, const std::string& path) = 0;
    virtual bool deleteValue(RegistryRoot root, const std::string& path, const std::string& name) = 0;
    // The names of a key's direct subkeys (RegEnumKeyExA), in the registry's
    // order; none when the key is missing or cannot be read.
    virtual std::vector<std::string> subKeyNames(RegistryRoot root, const std::string& path) = 0;

    // Why the last request that failed did so: the system call and the system's
    // own text, for messages and the /LOG record. Empty when the backend cannot tell.
    virtual std::string lastFailure() const { return {}; }
};

}  // namespace tavlin
