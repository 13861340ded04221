// Registry operations over the in-memory tree, each change saved at once.
#include "platform/hosted/hosted_registry.h"

#include "platform/hosted/regedit4_text.h"

namespace tavlin::hosted {

HostedRegistry::HostedRegistry(std::filesystem::path file, RegistryTree seed) : file_(std::move(file)) {
    if (!file_.empty() && stampOf(file_).exists) {
        refresh();
        return;
    }
    tree_ = std::move(seed);
    save();
}

void HostedRegistry::refresh() {
    if (file_.empty()) return;
    const FileStamp now = stampOf(file_);
    if (now == stamp_) return;
    const auto text = readHostFile(file_);
    if (!text) return;  // gone or unreadable for the moment: keep what we know
    tree_ = readRegedit4(*text);
    stamp_ = now;
}

void HostedRegistry::save() {
    if (file_.empty()) return;
    replaceHostFile(file_, writeRegedit4(tree_));
    stamp_ = stampOf(file_);
}

RegistryKey& HostedRegistry::rootKey(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? tree_.localMachine : tree_.currentUser;
}

RegistryKey* HostedRegistry::walk(RegistryRoot root, const std::vector<std::string>& names, std::size_t count) {
    RegistryKey* key = &rootKey(root);
    for (std::size_t i = 0; key && i < count; ++i) key = key->subkey(names[i]);
    return key;
}

RegistryKey* HostedRegistry::find(RegistryRoot root, const std::string& path) {
    refresh();
    const auto names = splitKeyPath(path);
    return names ? walk(root, *names, names->size()) : nullptr;
}

bool HostedRegistry::openKey(RegistryRoot root, const std::string& path) { return find(root, path) != nullptr; }

bool HostedRegistry::createKey(RegistryRoot root, const std::string& path) {
    refresh();
    const auto names = splitKeyPath(path);
    if (!names) return false;
    RegistryKey* key = &rootKey(root);
    bool created = false;
    for (const auto& name : *names) {
        if (RegistryKey* existing = key->subkey(name)) {
            key = existing;
        } else {
            key = &key->createSubkey(name);
            created = true;
        }
    }
    if (created) save();
    return true;
}

std::optional<std::string> HostedRegistry::readString(RegistryRoot root, const std::string& path,
                                                      const std::string& name) {
    RegistryKey* key = find(root, path);
    if (!key) return std::nullopt;
    const RegistryValue* value = key->value(name);
    if (!value || (value->type != regSz && value->type != regExpandSz)) return std::nullopt;
    return value->data;
}

std::optional<std::uint32_t> HostedRegistry::readDword(RegistryRoot root, const std::string& path,
                                                       const std::string& name) {
    RegistryKey* key = find(root, path);
    if (!key) return std::nullopt;
    const RegistryValue* value = key->value(name);
    return value ? dwordOf(*value) : std::nullopt;
}

bool HostedRegistry::writeString(RegistryRoot root, const std::string& path, const std::string& name,
                                 const std::string& value) {
    RegistryKey* key = find(root, path);
    if (!key) return false;
    key->setValue(name, regSz, value);
    save();
    return true;
}

bool HostedRegistry::writeDword(RegistryRoot root, const std::string& path, const std::string& name,
                                std::uint32_t value) {
    RegistryKey* key = find(root, path);
    if (!key) return false;
    key->setValue(name, regDword, dwordBytes(value));
    save();
    return true;
}

bool HostedRegistry::deleteKeyTree(RegistryRoot root, const std::string& path) {
    refresh();
    const auto names = splitKeyPath(path);
    if (!names || names->empty()) return false;  // a root cannot be deleted
    RegistryKey* parent = walk(root, *names, names->size() - 1);
    if (!parent || !parent->eraseSubkey(names->back())) return false;
    save();
    return true;
}

bool HostedRegistry::deleteValue(RegistryRoot root, const std::string& path, const std::string& name) {
    RegistryKey* key = find(root, path);
    if (!key || !key->eraseValue(name)) return false;
    save();
    return true;
}

std::vector<std::string> HostedRegistry::subKeyNames(RegistryRoot root, const std::string& path) {
    std::vector<std::string> names;
    if (RegistryKey* key = find(root, path)) {
        for (const auto& [upper, subkey] : key->subkeys) names.push_back(subkey->name);
    }
    return names;
}

}  // namespace tavlin::hosted
