// Registry keys and values on advapi32. Keys are opened for one request and closed
// again; nothing is cached. A failed request leaves the call's name and the
// system's text in lastFailure().
#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <vector>

#include "platform/win32/win32_error.h"
#include "platform/win32/win32_handles.h"

namespace tavlin::win32 {

namespace {

// KEY_ALL_ACCESS as the setup has always asked for it.
constexpr REGSAM allAccess = 0xF003F;

HKEY rootKey(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

// The key, or nothing with the call's status in status.
UniqueKey openExisting(HKEY parent, const std::string& path, REGSAM access, LONG& status) {
    HKEY key = nullptr;
    status = RegOpenKeyExA(parent, path.c_str(), 0, access, &key);
    if (status != ERROR_SUCCESS) return nullptr;
    return UniqueKey(key);
}

UniqueKey openExisting(RegistryRoot root, const std::string& path, REGSAM access, LONG& status) {
    return openExisting(rootKey(root), registryKeyPath(path), access, status);
}

// The names of a key's direct subkeys.
std::vector<std::string> subkeyNames(HKEY key) {
    std::vector<std::string> names;
    DWORD count = 0;
    DWORD longest = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS) {
        return names;
    }
    std::string name(longest + 1, '\0');
    for (DWORD index = 0; index < count; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        if (RegEnumKeyExA(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            break;
        }
        names.emplace_back(name.data(), length);
    }
    return names;
}

// Deletes the subkey name of parent with everything below it. RegDeleteKeyA on
// Windows NT refuses keys that still have subkeys, so the tree is taken apart
// from the leaves up. call names the request that failed, if one did.
LONG deleteTree(HKEY parent, const std::string& name, const char*& call) {
    {
        LONG status = ERROR_SUCCESS;
        const UniqueKey key = openExisting(parent, name, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | DELETE, status);
        if (!key) {
            call = "RegOpenKeyExA";
            return status;
        }
        for (const auto& child : subkeyNames(key.get())) {
            const char* ignored = nullptr;
            deleteTree(key.get(), child, ignored);  // a child that stays shows as the parent's failure
        }
    }
    call = "RegDeleteKeyA";
    return RegDeleteKeyA(parent, name.c_str());
}

}  // namespace

std::string registryKeyPath(const std::string& path) {
    const auto first = path.find_first_not_of('\\');
    if (first == std::string::npos) return {};
    const auto last = path.find_last_not_of('\\');
    return path.substr(first, last - first + 1);
}

bool Win32Registry::succeeded(const char* call, LONG status) {
    if (status == ERROR_SUCCESS) return true;
    lastFailure_ = describeFailure(call, static_cast<DWORD>(status));
    return false;
}

bool Win32Registry::openKey(RegistryRoot root, const std::string& path) {
    LONG status = ERROR_SUCCESS;
    const UniqueKey key = openExisting(root, path, allAccess, status);
    return succeeded("RegOpenKeyExA", status);
}

bool Win32Registry::createKey(RegistryRoot root, const std::string& path) {
    HKEY key = nullptr;
    if (!succeeded("RegCreateKeyExA", RegCreateKeyExA(rootKey(root), registryKeyPath(path).c_str(), 0, nullptr,
                                                      REG_OPTION_NON_VOLATILE, allAccess, nullptr, &key, nullptr))) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

std::optional<std::string> Win32Registry::readString(RegistryRoot root, const std::string& path,
                                                     const std::string& name) {
    LONG status = ERROR_SUCCESS;
    const UniqueKey key = openExisting(root, path, KEY_QUERY_VALUE, status);
    if (!succeeded("RegOpenKeyExA", status)) return std::nullopt;
    std::vector<char> data(256);
    for (;;) {
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(data.size());
        status = RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                                  &size);
        if (status == ERROR_MORE_DATA) {
            data.resize(size + 1);
            continue;
        }
        if (!succeeded("RegQueryValueExA", status)) return std::nullopt;
        if (type != REG_SZ && type != REG_EXPAND_SZ) {
            lastFailure_ = "RegQueryValueExA: the value " + name + " is not a string";
            return std::nullopt;
        }
        // The stored text need not end with its zero; it ends at the first one.
        std::string value(data.data(), size);
        const auto zero = value.find('\0');
        if (zero != std::string::npos) value.resize(zero);
        return value;
    }
}

bool Win32Registry::setValue(RegistryRoot root, const std::string& path, const std::string& name, DWORD type,
                             const void* data, std::size_t size) {
    LONG status = ERROR_SUCCESS;
    const UniqueKey key = openExisting(root, path, KEY_SET_VALUE, status);
    if (!succeeded("RegOpenKeyExA", status)) return false;
    return succeeded("RegSetValueExA", RegSetValueExA(key.get(), name.c_str(), 0, type,
                                                      static_cast<const BYTE*>(data), static_cast<DWORD>(size)));
}

bool Win32Registry::writeString(RegistryRoot root, const std::string& path, const std::string& name,
                                const std::string& value) {
    return setValue(root, path, name, REG_SZ, value.c_str(), value.size() + 1);
}

bool Win32Registry::writeDword(RegistryRoot root, const std::string& path, const std::string& name,
                               std::uint32_t value) {
    const DWORD data = value;
    return setValue(root, path, name, REG_DWORD, &data, sizeof data);
}

bool Win32Registry::deleteKeyTree(RegistryRoot root, const std::string& path) {
    // An empty path names the root itself, whose subkeys are not ours to delete.
    const std::string keyPath = registryKeyPath(path);
    if (keyPath.empty()) {
        lastFailure_ = "RegDeleteKeyA: a root key is never deleted";
        return false;
    }
    const char* call = "RegDeleteKeyA";
    const LONG status = deleteTree(rootKey(root), keyPath, call);
    return succeeded(call, status);
}

bool Win32Registry::deleteValue(RegistryRoot root, const std::string& path, const std::string& name) {
    LONG status = ERROR_SUCCESS;
    const UniqueKey key = openExisting(root, path, KEY_SET_VALUE, status);
    if (!succeeded("RegOpenKeyExA", status)) return false;
    return succeeded("RegDeleteValueA", RegDeleteValueA(key.get(), name.c_str()));
}

std::vector<std::string> Win32Registry::subKeyNames(RegistryRoot root, const std::string& path) {
    LONG status = ERROR_SUCCESS;
    const UniqueKey key = openExisting(root, path, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE, status);
    if (!succeeded("RegOpenKeyExA", status)) return {};
    return subkeyNames(key.get());
}

}  // namespace tavlin::win32
