// INI files through GetPrivateProfileStringA and WritePrivateProfileStringA, which
// hold the rules for case, quotes, key order and the Windows folder themselves.
#include "platform/win32/win32_profile.h"

#include <windows.h>

#include <algorithm>
#include <climits>

namespace tavlin::win32 {

namespace {

// The profile functions take the buffer size as a DWORD and need room for at
// least the terminating zeros.
DWORD profileBufferSize(std::size_t bufferSize) {
    return static_cast<DWORD>(std::clamp<std::size_t>(bufferSize, 2, INT_MAX));
}

}  // namespace

std::string Win32Profile::readString(const std::string& file, const std::string& section, const std::string& key,
                                     const std::string& defaultValue, std::size_t bufferSize) {
    std::string buffer(profileBufferSize(bufferSize), '\0');
    const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(),
                                                  buffer.data(), static_cast<DWORD>(buffer.size()), file.c_str());
    buffer.resize(std::min<std::size_t>(length, buffer.size() - 1));
    return buffer;
}

std::vector<std::string> Win32Profile::readKeyNames(const std::string& file, const std::string& section,
                                                    std::size_t bufferSize) {
    std::string buffer(profileBufferSize(bufferSize), '\0');
    const DWORD length = GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), file.c_str());
    return splitKeyList(buffer.data(), std::min<std::size_t>(length, buffer.size()));
}

bool Win32Profile::writeString(const std::string& file, const std::string& section, const std::string& key,
                               const std::string& value) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != FALSE;
}

bool Win32Profile::deleteKey(const std::string& file, const std::string& section, const std::string& key) {
    // A null value removes the key, a null key the whole section.
    return WritePrivateProfileStringA(section.c_str(), key.empty() ? nullptr : key.c_str(), nullptr, file.c_str()) !=
           FALSE;
}

std::vector<std::string> splitKeyList(const char* list, std::size_t length) {
    std::vector<std::string> names;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= length; ++i) {
        if (i == length || list[i] == '\0') {
            // Every zero ends a name (an empty one too); at the end of the list only
            // a name cut short by the buffer is left over.
            if (i < length || i > start) names.emplace_back(list + start, i - start);
            start = i + 1;
        }
    }
    return names;
}

}  // namespace tavlin::win32
