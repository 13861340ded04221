// The builder's check of install.cfg against the medium it goes on: every key
// and section the setup reads, the names it compares, the setup files and
// installed files the configuration points at, and the title that names the
// uninstall entry. Findings that make the setup fail or point nowhere are
// errors; findings that only change the look (or leave a setting unused) are
// warnings.
#pragma once

#include <string>
#include <vector>

#include "config/config_document.h"

namespace tavlin {

enum class FindingLevel { Warning, Error };

struct ConfigFinding {
    int Line = 0;  // 0 when the finding is about something missing from the file
    FindingLevel Level = FindingLevel::Warning;
    std::string Key;  // the key or section, as the finding names it
    std::string Message;
};

// What the medium gives the setup.
struct MediaContents {
    // Every file in the setup's expansion folder, as a path below it
    // ("Acme\bin\acme.exe", "setup.exe").
    std::vector<std::string> ExpandedFiles;
    // The lines of finstall.cfg.
    std::vector<std::string> FileListLines;
};

std::vector<ConfigFinding> CheckConfig(const ConfigDocument& config, const MediaContents& media);

// "install.cfg:12: error: "Logo Pos": ..." (no line number when Line is 0).
std::string FormatFinding(const std::string& fileName, const ConfigFinding& finding);

// Where finstall.cfg installs its files, each folder written as its macro
// ("<InstallDir>\bin\acme.exe", "<Windows>\System\acme.dll"); folder lines name
// no file and give nothing.
std::vector<std::string> InstalledTargets(const std::vector<std::string>& fileListLines);

}  // namespace tavlin
