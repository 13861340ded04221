// Key and value bookkeeping of the registry tree.
#include "platform/hosted/registry_tree.h"

#include <algorithm>

#include "platform/hosted/windows_text.h"

namespace tavlin::hosted {

RegistryKey* RegistryKey::subkey(const std::string& keyName) {
    const auto found = subkeys.find(upperWindows(keyName));
    return found == subkeys.end() ? nullptr : found->second.get();
}

RegistryKey& RegistryKey::createSubkey(const std::string& keyName) {
    auto& slot = subkeys[upperWindows(keyName)];
    if (!slot) {
        slot = std::make_unique<RegistryKey>();
        slot->name = keyName;
    }
    return *slot;
}

bool RegistryKey::eraseSubkey(const std::string& keyName) { return subkeys.erase(upperWindows(keyName)) > 0; }

RegistryValue* RegistryKey::value(const std::string& valueName) {
    const auto found = std::find_if(values.begin(), values.end(),
                                    [&](const RegistryValue& v) { return equalsIgnoringCase(v.name, valueName); });
    return found == values.end() ? nullptr : &*found;
}

void RegistryKey::setValue(const std::string& valueName, std::uint32_t type, std::string data) {
    if (RegistryValue* existing = value(valueName)) {
        existing->type = type;
        existing->data = std::move(data);
        return;
    }
    values.push_back({valueName, type, std::move(data)});
}

bool RegistryKey::eraseValue(const std::string& valueName) {
    const auto found = std::find_if(values.begin(), values.end(),
                                    [&](const RegistryValue& v) { return equalsIgnoringCase(v.name, valueName); });
    if (found == values.end()) return false;
    values.erase(found);
    return true;
}

std::optional<std::vector<std::string>> splitKeyPath(const std::string& path) {
    std::string_view rest = path;
    if (!rest.empty() && rest.front() == '\\') rest.remove_prefix(1);
    if (!rest.empty() && rest.back() == '\\') rest.remove_suffix(1);
    std::vector<std::string> names;
    if (rest.empty()) return names;
    std::size_t pos = 0;
    for (;;) {
        const auto cut = rest.find('\\', pos);
        const std::string_view name = rest.substr(pos, cut == std::string_view::npos ? std::string_view::npos : cut - pos);
        if (name.empty()) return std::nullopt;
        names.emplace_back(name);
        if (cut == std::string_view::npos) break;
        pos = cut + 1;
    }
    return names;
}

std::string dwordBytes(std::uint32_t value) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

std::optional<std::uint32_t> dwordOf(const RegistryValue& value) {
    if (value.type != regDword || value.data.size() != 4) return std::nullopt;
    std::uint32_t result = 0;
    for (int i = 3; i >= 0; --i) result = (result << 8) | static_cast<unsigned char>(value.data[static_cast<std::size_t>(i)]);
    return result;
}

}  // namespace tavlin::hosted
