// Writing the uninstall log: one key per entry, each written at once through the
// profile functions; and reading back the settings sections of its own.
#include "install/uninstall_log.h"

#include <cstdio>
#include <string_view>

#include "platform/platform.h"
#include "support/text.h"

namespace tavlin {

namespace {

// The sections in the order the entries of an installation come in; laid out
// first so that [Name] can be written at the start and still stand last.
constexpr std::string_view kSections = "[Files]\r\n[Folder]\r\n[Registry]\r\n[Name]\r\n";

constexpr std::string_view kPreviousPrefix = "was:";

bool NeedsEscape(char c, bool atEnd) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return true;
    if (c == ' ' || c == '\t') return atEnd;
    return std::string_view("%|=;\"'[]").find(c) != std::string_view::npos;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::string EscapeLogText(const std::string& text) {
    std::string escaped;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (NeedsEscape(c, i == 0 || i + 1 == text.size())) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", static_cast<unsigned char>(c));
            escaped += hex;
        } else {
            escaped += c;
        }
    }
    return escaped;
}

std::string UnescapeLogText(const std::string& text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() + 0 && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
            plain += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
            i += 2;
        } else {
            plain += text[i];
        }
    }
    return plain;
}

std::vector<LoggedSetting> ReadLoggedSettings(Platform& platform, const std::string& logPath,
                                              const std::string& section) {
    IniFile log(platform, logPath);
    std::vector<LoggedSetting> settings;
    for (const auto& key : log.ReadKeyNames(section)) {
        // The owner holds one "|" for an INI value (file and section), none for a
        // registry value; the name is what follows the last one.
        const auto cut = key.rfind('|');
        if (cut == std::string::npos) continue;  // not one of ours: left alone
        LoggedSetting setting;
        std::string owner = key.substr(0, cut);
        if (const auto inner = owner.find('|'); inner != std::string::npos) {
            owner = UnescapeLogText(owner.substr(0, inner)) + "|" + UnescapeLogText(owner.substr(inner + 1));
        } else {
            owner = UnescapeLogText(owner);
        }
        setting.owner = owner;
        setting.name = UnescapeLogText(key.substr(cut + 1));
        const std::string value = log.ReadString(section, key, "");
        if (StartsWith(value, std::string(kPreviousPrefix))) {
            setting.previous = UnescapeLogText(value.substr(kPreviousPrefix.size()));
        }
        settings.push_back(std::move(setting));
    }
    return settings;
}

UninstallLog::UninstallLog(Platform& platform, const std::string& path) : platform_(platform), ini_(platform, path) {}

void UninstallLog::Create(const std::string& title) {
    keysWritten_.clear();
    try {
        auto file = platform_.files().create(Path());
        file->writeBuffer(kSections.data(), kSections.size());
    } catch (const EStreamError&) {
        throw EIniFileException("Unable to write to " + Path());
    }
    SetTitle(title);
}

void UninstallLog::AddKey(const char* section, const std::string& key) { AddKeys(section, {key}); }

void UninstallLog::AddKeys(const char* section, const std::vector<std::string>& keys) {
    std::vector<std::string> fresh;
    for (const auto& key : keys) {
        if (keysWritten_.insert(std::string(section) + "|" + key).second) fresh.push_back(key);
    }
    if (fresh.empty()) return;
    try {
        ini_.WriteEmptyKeys(section, fresh);
    } catch (const EIniFileException&) {
        // Not written: a later entry for them must try again.
        for (const auto& key : fresh) keysWritten_.erase(std::string(section) + "|" + key);
        throw;
    }
}

void UninstallLog::AddFile(const std::string& pathOrPattern) { AddKey("Files", pathOrPattern); }

void UninstallLog::AddFiles(const std::vector<std::string>& paths) { AddKeys("Files", paths); }

void UninstallLog::AddFolder(const std::string& folder) { AddKey("Folder", folder); }

void UninstallLog::AddRegistryKey(const std::string& key) { AddKey("Registry", key); }

void UninstallLog::SetTitle(const std::string& title) { ini_.WriteString("Name", "Title", title); }

void UninstallLog::AddCreatedStartupFile(const std::string& path) { AddKey(kStartupFilesSection, path); }

void UninstallLog::AddCreatedFolder(const std::string& folder) { AddKey(kCreatedFoldersSection, folder); }

void UninstallLog::AddRegistryValue(const std::string& key, const std::string& name,
                                    const std::optional<std::string>& previous) {
    AddSetting(kRegistryValuesSection, EscapeLogText(key), name, previous);
}

void UninstallLog::AddIniValue(const std::string& file, const std::string& section, const std::string& key,
                               const std::optional<std::string>& previous) {
    AddSetting(kIniValuesSection, EscapeLogText(file) + "|" + EscapeLogText(section), key, previous);
}

void UninstallLog::AddSetting(const char* section, const std::string& owner, const std::string& name,
                              const std::optional<std::string>& previous) {
    const std::string key = owner + "|" + EscapeLogText(name);
    // A value written twice keeps the record of its first writing: the second
    // would only remember the run's own text.
    if (!settingsLogged_.insert(UpperCaseAscii(std::string(section) + "|" + key)).second) return;
    ini_.WriteString(section, key, previous ? std::string(kPreviousPrefix) + EscapeLogText(*previous) : "");
}

}  // namespace tavlin
