// Reads the summary of a medium's install.cfg the way the setup reads the values.
#include "config/config_summary.h"

#include "config/check_context.h"
#include "config/config_keys.h"
#include "support/fields.h"
#include "support/ini_file.h"
#include "support/text.h"

namespace tavlin {

namespace {

// More INIREG numbers than this cannot fit into a profile section; the setup
// takes a larger Count as this many.
constexpr std::int32_t kMaxIniRegistryCount = 65536;

std::string ValueOf(const ConfigDocument& config, const char* key, const std::string& fallback) {
    const ConfigKey* found = config.Key(kSetupScreenSection, key);
    return found ? found->Value : fallback;
}

bool BoolOf(const ConfigDocument& config, const char* key, bool fallback) {
    const ConfigKey* found = config.Key(kSetupScreenSection, key);
    if (found == nullptr) return fallback;
    const auto number = ParseIniInteger(found->Value);
    return number ? *number != 0 : fallback;
}

std::size_t EntryCount(const ConfigDocument& config, const char* section) {
    const ConfigSection* found = config.Section(section);
    return found ? found->Lines.size() : 0;
}

std::string DefaultFolderOf(const ConfigDocument& config) {
    const std::string folder = ValueOf(config, "Main Directory", "TVL");
    const std::string base = BoolOf(config, "Under Program Files", true) ? "<ProgramFiles>\\" : "<Root>\\";
    if (!StartsWith(folder, "HKEY_")) return base + folder;
    std::string rest = folder;
    std::string root, key, value;
    SplitFirstField(rest, ',', root);
    SplitFirstField(rest, ',', key);
    SplitFirstField(rest, ',', value);
    return (root == "HKEY_LOCAL_MACHINE" ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER") + std::string("\\") +
           key + " value " + Quoted(value) + ", else " + base + rest;
}

}  // namespace

ConfigSummary SummarizeConfig(const ConfigDocument& config) {
    ConfigSummary summary;
    summary.Title = ValueOf(config, "Text Line 1", kDefaultTextLines[0]);
    summary.DefaultFolder = DefaultFolderOf(config);
    if (const ConfigSection* desktop = config.Section("Desktop")) {
        for (const auto& line : desktop->Lines) {
            std::string rest = line.Name;
            std::string name, program;
            SplitFirstField(rest, ',', name);
            SplitFirstField(rest, ',', program);
            summary.Shortcuts.push_back(name + " -> " + program);
        }
    }
    std::int32_t count = -1;
    if (const ConfigKey* key = config.Key(kIniRegistrySection, "Count")) {
        count = ParseIniInteger(key->Value).value_or(-1);
    }
    for (std::int32_t i = 0; i < std::min(count, kMaxIniRegistryCount); ++i) {
        const ConfigKey* entry = config.Key(kIniRegistrySection, "INIREG " + std::to_string(i));
        std::string rest = entry ? entry->Value : std::string();
        std::string file;
        SplitFirstField(rest, ',', file);
        if (file.find('.') != std::string::npos) {
            ++summary.IniSettings;
        } else {
            ++summary.RegistrySettings;
        }
    }
    summary.AutoexecLines = EntryCount(config, "AUTOEXEC.BAT");
    summary.ConfigSysLines = EntryCount(config, "CONFIG.SYS");
    if (const ConfigSection* launch = config.Section("Launch Applications")) {
        for (const auto& line : launch->Lines) summary.LaunchFiles.push_back(line.Name);
    }
    summary.FinishedProgram = ValueOf(config, "Launch Application", "");
    return summary;
}

}  // namespace tavlin
