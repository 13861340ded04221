// Line-numbered reading of install.cfg.
#include "config/config_document.h"

#include "support/text.h"

namespace tavlin {

namespace {

std::string Unquoted(std::string value) {
    if (value.size() > 1 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

ConfigDocument::ConfigDocument(const std::vector<std::string>& lines) {
    // Lines before the first section belong to no section the setup reads.
    ConfigSection* current = nullptr;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        const std::string trimmed = Trim(lines[i]);
        if (!trimmed.empty() && trimmed.front() == '[' && trimmed.find(']') != std::string::npos) {
            sections_.push_back({number, Trim(trimmed.substr(1, trimmed.find(']') - 1)), {}});
            current = &sections_.back();
            continue;
        }
        if (current == nullptr || trimmed.empty() || trimmed.front() == ';') continue;
        ConfigKey key;
        key.Line = number;
        key.Text = trimmed;
        const auto equals = trimmed.find('=');
        key.HasEquals = equals != std::string::npos;
        key.Name = Trim(trimmed.substr(0, equals));
        if (key.HasEquals) key.Value = Unquoted(Trim(trimmed.substr(equals + 1)));
        current->Lines.push_back(std::move(key));
    }
}

const ConfigSection* ConfigDocument::Section(const std::string& name) const {
    for (const auto& section : sections_) {
        if (SameTextAscii(section.Name, name)) return &section;
    }
    return nullptr;
}

const ConfigKey* ConfigDocument::Key(const std::string& section, const std::string& key) const {
    const ConfigSection* found = Section(section);
    if (found == nullptr) return nullptr;
    for (const auto& line : found->Lines) {
        if (line.HasEquals && SameTextAscii(line.Name, key)) return &line;
    }
    return nullptr;
}

}  // namespace tavlin
