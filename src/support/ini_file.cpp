#include "support/ini_file.h"

#include <cstdlib>
#include <utility>

#include "platform/platform.h"
#include "support/string_list.h"
#include "support/text.h"

namespace tavlin {

namespace {

constexpr std::size_t kEntryListBytes = 16384;

// The profile functions' rule: a bare file name lives in the Windows folder.
std::string ProfilePath(FileSystem& files, const std::string& fileName) {
    if (fileName.find_first_of("\\:") != std::string::npos) return fileName;
    std::string folder = files.windowsDirectory();
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder + fileName;
}

}  // namespace

std::optional<std::int32_t> ParseIniInteger(std::string_view text) {
    std::string s = Trim(text);
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    int base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= s.size()) return std::nullopt;
    std::uint64_t value = 0;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else return std::nullopt;
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (value > 0xFFFFFFFFull) return std::nullopt;
    }
    if (base == 10 && value > (negative ? 0x80000000ull : 0x7FFFFFFFull)) return std::nullopt;
    auto bits = static_cast<std::uint32_t>(value);
    if (negative) bits = 0u - bits;
    return static_cast<std::int32_t>(bits);
}

IniFile::IniFile(Platform& platform, std::string fileName) : platform_(platform), fileName_(std::move(fileName)) {}

std::string IniFile::ReadString(const std::string& section, const std::string& key, const std::string& defaultValue) {
    return platform_.profile().readString(fileName_, section, key, defaultValue);
}

std::int32_t IniFile::ReadInteger(const std::string& section, const std::string& key, std::int32_t defaultValue) {
    const std::string text = ReadString(section, key, "");
    return ParseIniInteger(text).value_or(defaultValue);
}

bool IniFile::ReadBool(const std::string& section, const std::string& key, bool defaultValue) {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    if (!platform_.profile().writeString(fileName_, section, key, value)) {
        throw EIniFileException("Unable to write to " + fileName_);
    }
}

void IniFile::WriteEmptyKeys(const std::string& section, const std::vector<std::string>& keys) {
    std::vector<std::pair<std::string, std::string>> entries;
    entries.reserve(keys.size());
    for (const auto& key : keys) entries.emplace_back(key, "");
    if (!platform_.profile().writeStrings(fileName_, section, entries)) {
        throw EIniFileException("Unable to write to " + fileName_);
    }
}

std::vector<std::string> IniFile::ReadKeyNames(const std::string& section) {
    // The list comes back cut to its buffer; grow the buffer until the names fit.
    for (std::size_t size = kEntryListBytes;; size *= 4) {
        auto names = platform_.profile().readKeyNames(fileName_, section, size);
        std::size_t used = 0;
        for (const auto& name : names) used += name.size() + 1;
        if (used + 2 < size) return names;
    }
}

std::vector<std::string> IniFile::ReadSectionEntries(const std::string& section) {
    return ReadSection(section, false);
}

std::vector<std::string> IniFile::ReadSectionLines(const std::string& section) {
    return ReadSection(section, true);
}

std::vector<std::string> IniFile::ReadSection(const std::string& section, bool wholeLines) {
    StringList lines;
    try {
        lines.LoadFromFile(platform_.files(), ProfilePath(platform_.files(), fileName_));
    } catch (const EStreamError&) {
        return {};  // a missing or unreadable file has no entries
    }
    std::vector<std::string> entries;
    std::size_t listBytes = 0;
    bool inSection = false;
    for (const auto& line : lines) {
        const std::string trimmed = Trim(line);
        if (!trimmed.empty() && trimmed.front() == '[') {
            if (inSection) break;
            const auto close = trimmed.find(']');
            inSection = close != std::string::npos && SameTextAscii(Trim(trimmed.substr(1, close - 1)), section);
            continue;
        }
        if (!inSection || trimmed.empty() || trimmed.front() == ';') continue;
        std::string entry = wholeLines ? trimmed : Trim(trimmed.substr(0, trimmed.find('=')));
        // The list of names holds 16384 bytes, each name followed by a zero byte and
        // the list by one more; a name that does not fit is cut and ends the list.
        const std::size_t room = kEntryListBytes - 1 - listBytes;
        if (entry.size() + 1 > room) {
            if (room > 1) {
                entry.resize(room - 1);
                entries.push_back(std::move(entry));
            }
            break;
        }
        listBytes += entry.size() + 1;
        entries.push_back(std::move(entry));
    }
    return entries;
}

}  // namespace tavlin
