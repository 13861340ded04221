// What the rules of the install.cfg check share: the findings so far, the
// medium's files, and the checks that several sections make (macros, program
// paths, setup files).
#pragma once

#include <set>
#include <string>
#include <vector>

#include "config/config_check.h"

namespace tavlin {

class CheckContext {
public:
    CheckContext(const ConfigDocument& config, const MediaContents& media);

    const ConfigDocument& Config() const { return config_; }

    void Error(int line, const std::string& key, const std::string& message);
    void Warning(int line, const std::string& key, const std::string& message);
    std::vector<ConfigFinding> TakeFindings() { return std::move(findings_); }

    // A builder path (drive, colon, backslash, path) the setup finds expanded.
    bool IsSetupFile(const std::string& builderPath) const;
    // The builder path of a setup file closest to a wrong one, for a suggestion.
    std::string SetupFileSuggestion(const std::string& builderPath) const;
    // A path in macro form that finstall.cfg installs a file to (any letter case).
    bool IsInstalled(const std::string& macroPath) const;
    std::string InstalledSuggestion(const std::string& macroPath) const;

    // Every "<Name>" in text that the setup will not replace: unknown names,
    // names without their backslash and, where the setup compares in exact case,
    // names in the wrong case. All are errors: the text keeps the macro as it is.
    void CheckMacros(int line, const std::string& key, const std::string& text, bool exactCase);
    // A program path that the setup resolves by its leading macro (a shortcut's
    // program, the Finished page's program): one must lead, and a file below the
    // installation folder must be one the medium installs.
    void CheckProgramPath(int line, const std::string& key, const std::string& text, const std::string& what);
    // A name that becomes a file, folder or link: the setup refuses a medium
    // whose name fails the path rule (macros stand for some folder). Relative
    // names only when onlyRelative; otherwise full paths too.
    void CheckPathRule(int line, const std::string& key, const std::string& what, const std::string& text,
                       bool onlyRelative);
    // A builder path naming a setup file; missing is an error or a warning.
    void CheckSetupFile(int line, const std::string& key, const std::string& path, const std::string& effect,
                        bool error);

private:
    const ConfigDocument& config_;
    std::vector<ConfigFinding> findings_;
    std::vector<std::string> setupFiles_;  // builder paths "C:\..." as given
    std::set<std::string> setupFilesUpper_;
    std::vector<std::string> installed_;
    std::set<std::string> installedUpper_;
};

// Quotes a name for a message: "name".
std::string Quoted(const std::string& text);

void CheckScreenSection(CheckContext& context);
void CheckTitle(CheckContext& context);
void CheckSectionsAndKeys(CheckContext& context);
void CheckEntryLists(CheckContext& context);
void CheckDesktop(CheckContext& context);
void CheckLaunchApplications(CheckContext& context);
void CheckIniRegistry(CheckContext& context);

}  // namespace tavlin
