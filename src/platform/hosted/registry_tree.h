// The registry's keys and values in memory. Names keep the letter case they were
// created with and are looked up ignoring it; subkeys are kept in name order and
// values in the order they were created, as the registry editor shows them.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tavlin::hosted {

// Value types, with the numbers the registry uses.
enum RegistryType : std::uint32_t { regSz = 1, regExpandSz = 2, regBinary = 3, regDword = 4 };

struct RegistryValue {
    std::string name;  // empty for the default value
    std::uint32_t type = regSz;
    std::string data;  // the text of a string value; the raw bytes of any other
};

struct RegistryKey {
    std::string name;
    std::map<std::string, std::unique_ptr<RegistryKey>> subkeys;  // by upper-case name
    std::vector<RegistryValue> values;

    RegistryKey* subkey(const std::string& keyName);
    RegistryKey& createSubkey(const std::string& keyName);
    bool eraseSubkey(const std::string& keyName);
    RegistryValue* value(const std::string& valueName);
    // Sets a value, keeping the spelling of an existing value's name.
    void setValue(const std::string& valueName, std::uint32_t type, std::string data);
    bool eraseValue(const std::string& valueName);
};

struct RegistryTree {
    RegistryKey localMachine{"HKEY_LOCAL_MACHINE", {}, {}};
    RegistryKey currentUser{"HKEY_CURRENT_USER", {}, {}};
};

// A key path split into names: one leading and one trailing "\" are allowed; an
// empty name inside (a doubled "\") makes it invalid. The empty path is the root.
std::optional<std::vector<std::string>> splitKeyPath(const std::string& path);

// A DWORD's four bytes, least significant first, and back.
std::string dwordBytes(std::uint32_t value);
std::optional<std::uint32_t> dwordOf(const RegistryValue& value);

}  // namespace tavlin::hosted
