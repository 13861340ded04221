// The INI profile functions (GetPrivateProfileStringA, WritePrivateProfileStringA).
// Section and key names ignore letter case; a bare file name means a file in the
// Windows folder; writing a key that exists rewrites its line in place, a new key
// goes to the end of its section and a new section to the end of the file.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace tavlin {

class Profile {
public:
    virtual ~Profile() = default;

    // The value of one key, blanks around it removed and one pair of enclosing
    // quotes dropped, as it fits into bufferSize bytes with its terminating zero
    // (so at most 2047 characters by default); the default when the file, the
    // section or the key is missing.
    virtual std::string readString(const std::string& file, const std::string& section,
                                   const std::string& key, const std::string& defaultValue,
                                   std::size_t bufferSize = 2048) = 0;

    // The key names of a section in file order, as many as fit into a list of
    // bufferSize bytes in which every name is followed by a zero byte; the last
    // name may be cut short. Empty when the file or section is missing.
    virtual std::vector<std::string> readKeyNames(const std::string& file, const std::string& section,
                                                  std::size_t bufferSize = 16384) = 0;

    // Sets one key; creates the file, the section or the key as needed.
    virtual bool writeString(const std::string& file, const std::string& section, const std::string& key,
                             const std::string& value) = 0;
    // Sets several keys of one section, in order, as writeString would one by one.
    // The hosted machine makes it one change of the file, so that a long list
    // costs one rewrite rather than one per key; elsewhere it is a key at a time.
    // False at the first key that could not be written.
    virtual bool writeStrings(const std::string& file, const std::string& section,
                              const std::vector<std::pair<std::string, std::string>>& keys) {
        for (const auto& [key, value] : keys) {
            if (!writeString(file, section, key, value)) return false;
        }
        return true;
    }
    // Removes one key (WritePrivateProfileStringA with no value), or with an empty
    // key the whole section (no key name). True when the file is as asked after.
    virtual bool deleteKey(const std::string& file, const std::string& section, const std::string& key) = 0;
};

}  // namespace tavlin
