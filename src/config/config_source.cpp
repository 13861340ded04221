// The two sources of install.cfg's values.
#include "config/config_source.h"

namespace tavlin {

namespace {

// No value read from a line of a file holds a line break, so this default can
// only come back for a missing key.
constexpr const char* kMissing = "\n(missing)";

}  // namespace

std::optional<std::string> IniConfigSource::Value(const std::string& section, const std::string& key) {
    std::string value = ini_.ReadString(section, key, kMissing);
    if (value == kMissing) return std::nullopt;
    return value;
}

std::vector<std::string> IniConfigSource::SectionLines(const std::string& section) {
    return ini_.ReadSectionLines(section);
}

std::optional<std::string> DocumentConfigSource::Value(const std::string& section, const std::string& key) {
    const ConfigKey* found = document_.Key(section, key);
    if (found == nullptr) return std::nullopt;
    return found->Value;
}

std::vector<std::string> DocumentConfigSource::SectionLines(const std::string& section) {
    std::vector<std::string> lines;
    if (const ConfigSection* found = document_.Section(section)) {
        for (const auto& line : found->Lines) lines.push_back(line.Text);
    }
    return lines;
}

}  // namespace tavlin
