// The profile functions: buffer limits as the A functions apply them, the INI
// rules in IniDocument.
#include "platform/hosted/hosted_profile.h"

#include "platform/errors.h"
#include "platform/hosted/ini_document.h"
#include "platform/hosted/stream_text.h"

namespace tavlin::hosted {

namespace {

std::string trimmedRight(const std::string& text) {
    const auto last = text.find_last_not_of(" \t");
    return last == std::string::npos ? std::string() : text.substr(0, last + 1);
}

}  // namespace

std::string HostedProfile::pathOf(const std::string& file) {
    if (file.find_first_of("\\/:") != std::string::npos) return file;
    return files_.windowsDirectory() + "\\" + file;
}

std::optional<std::string> HostedProfile::load(const std::string& path) {
    std::unique_ptr<FileStream> stream;
    try {
        stream = files_.openRead(path);
    } catch (const EFOpenError&) {
        return std::nullopt;  // a file that cannot be opened reads like a missing one
    }
    return readWholeStream(*stream);
}

std::optional<std::string> HostedProfile::loadForChange(const std::string& path) {
    // Opening first costs one look-up where the file is there, as it mostly is.
    if (auto bytes = load(path)) return bytes;
    if (files_.fileExists(path)) return std::nullopt;
    return std::string();
}

std::string HostedProfile::readString(const std::string& file, const std::string& section, const std::string& key,
                                      const std::string& defaultValue, std::size_t bufferSize) {
    std::string value = trimmedRight(defaultValue);
    if (const auto bytes = load(pathOf(file))) {
        if (auto found = IniDocument(*bytes).value(section, key)) value = std::move(*found);
    }
    if (bufferSize == 0) return {};
    if (value.size() > bufferSize - 1) value.resize(bufferSize - 1);
    return value;
}

std::vector<std::string> HostedProfile::readKeyNames(const std::string& file, const std::string& section,
                                                     std::size_t bufferSize) {
    const auto bytes = load(pathOf(file));
    if (!bytes) return {};
    // The names as the caller's buffer holds them: each followed by a zero, the list
    // by one more; when that does not fit, the first bufferSize - 2 bytes of it.
    std::string list;
    for (const auto& name : IniDocument(*bytes).keyNames(section)) list += name + '\0';
    if (list.size() + 1 > bufferSize) list.resize(bufferSize >= 2 ? bufferSize - 2 : 0);

    // Every zero ends a name, an empty one too; a name cut short ends the list.
    std::vector<std::string> names;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= list.size(); ++i) {
        if (i < list.size() && list[i] != '\0') continue;
        if (i < list.size() || i > start) names.push_back(list.substr(start, i - start));
        start = i + 1;
    }
    return names;
}

bool HostedProfile::writeString(const std::string& file, const std::string& section, const std::string& key,
                                const std::string& value) {
    const std::string path = pathOf(file);
    const auto bytes = loadForChange(path);
    if (!bytes) return false;
    IniDocument document(*bytes);
    if (!document.set(section, key, value)) return true;
    return store(path, document.bytes());
}

bool HostedProfile::writeStrings(const std::string& file, const std::string& section,
                                 const std::vector<std::pair<std::string, std::string>>& keys) {
    const std::string path = pathOf(file);
    const auto bytes = loadForChange(path);
    if (!bytes) return false;
    IniDocument document(*bytes);
    if (!document.setAll(section, keys)) return true;
    return store(path, document.bytes());
}

bool HostedProfile::deleteKey(const std::string& file, const std::string& section, const std::string& key) {
    const auto loaded = loadForChange(pathOf(file));
    if (!loaded) return false;
    IniDocument document(*loaded);
    if (!document.erase(section, key)) return true;
    return store(pathOf(file), document.bytes());
}

bool HostedProfile::store(const std::string& path, const std::string& text) {
    try {
        files_.replaceWhole(path, text);
    } catch (const EStreamError&) {
        return false;  // the Windows call answers a failed write with FALSE
    }
    return true;
}

}  // namespace tavlin::hosted
