// The summary of a medium's install.cfg, from the value the setup reads.
#include "config/config_summary.h"

#include "config/check_context.h"
#include "config/config_keys.h"
#include "config/install_config.h"
#include "support/fields.h"
#include "support/text.h"

namespace tavlin {

namespace {

std::string DefaultFolderOf(const SetupScreenConfig& screen) {
    const std::string& folder = screen.MainDirectory;
    const std::string base = screen.UnderProgramFiles ? "<ProgramFiles>\\" : "<Root>\\";
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

ConfigSummary SummarizeConfig(const ConfigDocument& document) {
    DocumentConfigSource source(document);
    const InstallConfig config = ReadInstallConfig(source);
    ConfigSummary summary;
    summary.Title = config.Screen.TextLines[0].Text;
    summary.DefaultFolder = DefaultFolderOf(config.Screen);
    for (const std::string& item : config.DesktopItems) {
        std::string rest = item;
        std::string name, program;
        SplitFirstField(rest, ',', name);
        SplitFirstField(rest, ',', program);
        summary.Shortcuts.push_back(name + " -> " + program);
    }
    for (const std::string& entry : config.IniRegistryEntries) {
        std::string rest = entry;
        std::string file;
        SplitFirstField(rest, ',', file);
        if (file.find('.') != std::string::npos) {
            ++summary.IniSettings;
        } else {
            ++summary.RegistrySettings;
        }
    }
    summary.AutoexecLines = config.AutoexecLines.size();
    summary.ConfigSysLines = config.ConfigSysLines.size();
    summary.LaunchFiles = config.LaunchApps;
    summary.FinishedProgram = config.Screen.LaunchApplication;
    return summary;
}

}  // namespace tavlin
