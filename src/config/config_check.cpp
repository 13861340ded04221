// The install.cfg check: its shared context (findings, the medium's files, the
// macro and path checks) and the order in which the rules run.
#include "config/config_check.h"

#include <algorithm>
#include <cctype>

#include "config/check_context.h"
#include "config/folder_table.h"
#include "config/nearest_name.h"
#include "support/fields.h"
#include "support/paths.h"
#include "support/safe_path.h"
#include "support/text.h"

namespace tavlin {

namespace {

// The setup drops the first three characters (the drive, as "C:\") of a builder path.
std::string BelowDrive(const std::string& builderPath) {
    return builderPath.size() > 3 ? builderPath.substr(3) : std::string();
}

// Row 5's macro has no backslash of its own; as a folder it has one.
std::string MacroFolderText(std::size_t row) {
    return IncludeTrailingBackslash(FolderMacros[row]);
}

bool IsMacroNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

std::vector<std::string> MacroNameList() {
    return {MacroNames.begin(), MacroNames.end()};
}

}  // namespace

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::vector<std::string> InstalledTargets(const std::vector<std::string>& fileListLines) {
    std::vector<std::string> targets;
    for (const auto& line : fileListLines) {
        if (line.empty()) continue;
        std::string rest = line;
        std::string folder;
        std::string field;
        for (const char separator : {'\t', ','}) {
            while (rest.find(separator) != std::string::npos) {
                SplitFirstField(rest, separator, field);
                const auto keyword = std::find(FolderKeywords.begin(), FolderKeywords.end(), field);
                if (keyword != FolderKeywords.end()) {
                    folder = MacroFolderText(static_cast<std::size_t>(keyword - FolderKeywords.begin()));
                } else {
                    folder += IncludeTrailingBackslash(field);
                }
            }
        }
        const std::string name = ExtractFileName(rest);
        if (!name.empty()) targets.push_back(folder + name);
    }
    return targets;
}

CheckContext::CheckContext(const ConfigDocument& config, const MediaContents& media)
    : config_(config), installed_(InstalledTargets(media.FileListLines)) {
    for (const auto& file : media.ExpandedFiles) {
        setupFiles_.push_back("C:\\" + file);
        setupFilesUpper_.insert(UpperCaseAscii(file));
    }
    for (const auto& target : installed_) installedUpper_.insert(UpperCaseAscii(target));
}

void CheckContext::Error(int line, const std::string& key, const std::string& message) {
    findings_.push_back({line, FindingLevel::Error, key, message});
}

void CheckContext::Warning(int line, const std::string& key, const std::string& message) {
    findings_.push_back({line, FindingLevel::Warning, key, message});
}

bool CheckContext::IsSetupFile(const std::string& builderPath) const {
    return setupFilesUpper_.count(UpperCaseAscii(BelowDrive(builderPath))) != 0;
}

std::string CheckContext::SetupFileSuggestion(const std::string& builderPath) const {
    const auto nearest = NearestName(builderPath, setupFiles_);
    return nearest ? "; did you mean " + Quoted(*nearest) + "?" : std::string();
}

bool CheckContext::IsInstalled(const std::string& macroPath) const {
    return installedUpper_.count(UpperCaseAscii(macroPath)) != 0;
}

std::string CheckContext::InstalledSuggestion(const std::string& macroPath) const {
    const auto nearest = NearestName(macroPath, installed_);
    return nearest ? "; did you mean " + Quoted(*nearest) + "?" : std::string();
}

void CheckContext::CheckMacros(int line, const std::string& key, const std::string& text, bool exactCase) {
    for (std::size_t open = text.find('<'); open != std::string::npos; open = text.find('<', open + 1)) {
        const std::size_t close = text.find('>', open + 1);
        if (close == std::string::npos) return;
        const std::string name = text.substr(open + 1, close - open - 1);
        if (name.empty() || !std::all_of(name.begin(), name.end(), IsMacroNameChar)) continue;
        const std::string written = "<" + name + ">";
        const auto exact = std::find(MacroNames.begin(), MacroNames.end(), name);
        const auto anyCase = std::find_if(MacroNames.begin(), MacroNames.end(),
                                          [&](const char* known) { return SameTextAscii(known, name); });
        if (anyCase == MacroNames.end()) {
            // Where letter case does not count, neither does it for the suggestion.
            std::vector<std::string> candidates = MacroNameList();
            if (!exactCase) {
                for (auto& candidate : candidates) candidate = UpperCaseAscii(candidate);
            }
            auto nearest = NearestName(exactCase ? name : UpperCaseAscii(name), candidates);
            if (nearest) nearest = MacroNames[static_cast<std::size_t>(
                std::find(candidates.begin(), candidates.end(), *nearest) - candidates.begin())];
            Error(line, key,
                  "unknown macro " + written + ": the setup leaves it in the text as it is" +
                      (nearest ? "; did you mean <" + *nearest + ">\\?" : std::string()));
        } else if (exactCase && exact == MacroNames.end()) {
            Error(line, key,
                  written + " is not replaced: here the setup compares macros in exact case; write <" +
                      std::string(*anyCase) + ">\\");
        } else if (close + 1 >= text.size() || text[close + 1] != '\\') {
            Error(line, key,
                  written + " is not replaced without the backslash after it; write <" + std::string(*anyCase) +
                      ">\\");
        }
    }
}

void CheckContext::CheckProgramPath(int line, const std::string& key, const std::string& text,
                                    const std::string& what) {
    const auto leading = std::find_if(FolderMacros.begin(), FolderMacros.end(),
                                      [&](const char* macro) { return StartsWith(text, macro); });
    if (leading == FolderMacros.end()) {
        // A misspelt leading macro has been reported by CheckMacros already.
        if (!StartsWith(text, "<")) {
            Error(line, key,
                  Quoted(text) + " starts with no folder macro, so " + what +
                      " points at the installation folder itself; write <InstallDir>\\" + ExtractFileName(text) +
                      " or another folder macro");
        }
        return;
    }
    if (leading == FolderMacros.begin() && text.size() > std::string(*leading).size() && !EndsWith(text, "\\") &&
        !IsInstalled(text)) {
        Error(line, key,
              Quoted(text) + " is no file this medium installs, so " + what + " points nowhere" +
                  InstalledSuggestion(text));
    }
}

void CheckContext::CheckPathRule(int line, const std::string& key, const std::string& what, const std::string& text,
                                 bool onlyRelative) {
    // The setup judges the text with each macro standing for a folder of its own.
    std::string path = text;
    for (const char* macro : FolderMacros) {
        const std::string upperMacro = UpperCaseAscii(macro);
        for (std::size_t at = UpperCaseAscii(path).find(upperMacro); at != std::string::npos;
             at = UpperCaseAscii(path).find(upperMacro)) {
            path.replace(at, upperMacro.size(), "C:\\FOLDER\\");
        }
    }
    const bool full = !onlyRelative && path.size() >= 2 && path[1] == ':';
    const PathFault fault = FindPathFault(path, full ? PathForm::Absolute : PathForm::Relative);
    if (fault == PathFault::None) return;
    Error(line, key, what + " " + Quoted(text) + " " + PathFaultText(fault) + ", so the setup refuses the medium");
}

void CheckContext::CheckSetupFile(int line, const std::string& key, const std::string& path,
                                  const std::string& effect, bool error) {
    if (IsSetupFile(path)) return;
    const std::string message =
        Quoted(path) + " names no file of the medium, so " + effect + SetupFileSuggestion(path);
    if (error) {
        Error(line, key, message);
    } else {
        Warning(line, key, message);
    }
}

std::vector<ConfigFinding> CheckConfig(const ConfigDocument& config, const MediaContents& media) {
    CheckContext context(config, media);
    CheckSectionsAndKeys(context);
    CheckTitle(context);
    CheckScreenSection(context);
    CheckEntryLists(context);
    CheckDesktop(context);
    CheckLaunchApplications(context);
    CheckIniRegistry(context);
    std::vector<ConfigFinding> findings = context.TakeFindings();
    std::stable_sort(findings.begin(), findings.end(),
                     [](const ConfigFinding& a, const ConfigFinding& b) { return a.Line < b.Line; });
    return findings;
}

std::string FormatFinding(const std::string& fileName, const ConfigFinding& finding) {
    std::string text = fileName;
    if (finding.Line > 0) text += ":" + std::to_string(finding.Line);
    text += finding.Level == FindingLevel::Error ? ": error: " : ": warning: ";
    if (!finding.Key.empty()) text += finding.Key + ": ";
    return text + finding.Message;
}

}  // namespace tavlin
