// What a medium's install.cfg will make the setup do, in figures an author can
// read at build time: the title that names the uninstall entry, the default
// folder, shortcuts, INI and registry settings, start-up file lines and the
// files opened at the end.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "config/config_document.h"

namespace tavlin {

struct ConfigSummary {
    std::string Title;          // also the uninstall entry's name
    std::string DefaultFolder;  // in macro form, or the registry value it is read from
    std::vector<std::string> Shortcuts;  // "name -> program"
    std::size_t IniSettings = 0;
    std::size_t RegistrySettings = 0;
    std::size_t AutoexecLines = 0;
    std::size_t ConfigSysLines = 0;
    std::vector<std::string> LaunchFiles;  // [Launch Applications], as listed
    std::string FinishedProgram;           // "Launch Application", or empty
};

ConfigSummary SummarizeConfig(const ConfigDocument& config);

}  // namespace tavlin
