// INI files through the profile functions of kernel32.
#pragma once

#include "platform/profile.h"

namespace tavlin::win32 {

class Win32Profile : public Profile {
public:
    std::string readString(const std::string& file, const std::string& section, const std::string& key,
                           const std::string& defaultValue, std::size_t bufferSize) override;
    std::vector<std::string> readKeyNames(const std::string& file, const std::string& section,
                                          std::size_t bufferSize) override;
    bool writeString(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) override;
    bool deleteKey(const std::string& file, const std::string& section, const std::string& key) override;
};

// Splits the list GetPrivateProfileStringA returns for a null key (names each
// followed by a zero byte) into its names; length is the count it answered.
std::vector<std::string> splitKeyList(const char* list, std::size_t length);

}  // namespace tavlin::win32
