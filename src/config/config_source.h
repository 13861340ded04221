// Where install.cfg's values come from: the setup reads them through the
// platform's profile functions, the builder from the file's own lines. Both give
// the same reader (install_config) the same two questions.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "config/config_document.h"
#include "support/ini_file.h"

namespace tavlin {

class ConfigSource {
public:
    virtual ~ConfigSource() = default;
    // A key's text; nothing when the file, the section or the key is missing.
    virtual std::optional<std::string> Value(const std::string& section, const std::string& key) = 0;
    // Every line of a section, each kept whole, in file order.
    virtual std::vector<std::string> SectionLines(const std::string& section) = 0;
};

// install.cfg as the setup reads it.
class IniConfigSource : public ConfigSource {
public:
    explicit IniConfigSource(IniFile& ini) : ini_(ini) {}
    std::optional<std::string> Value(const std::string& section, const std::string& key) override;
    std::vector<std::string> SectionLines(const std::string& section) override;

private:
    IniFile& ini_;
};

// install.cfg as the builder sees it, line by line.
class DocumentConfigSource : public ConfigSource {
public:
    explicit DocumentConfigSource(const ConfigDocument& document) : document_(document) {}
    std::optional<std::string> Value(const std::string& section, const std::string& key) override;
    std::vector<std::string> SectionLines(const std::string& section) override;

private:
    const ConfigDocument& document_;
};

}  // namespace tavlin
