// The uninstall log uninstaller.cfg in the installation folder: every change of an
// installation is written to it as it happens, so that a run that stops half-way
// still leaves a log from which everything installed so far can be removed.
//
// Beside the four sections that every reader knows, the log keeps sections of its
// own: [Start-up Files] for a start-up file that the run created, [Created Folders]
// for the folders it made where the uninstall deletes no whole tree, and for
// settings written into keys and INI files that existed before the run
// [Registry Values] and [INI Values]. Each key of the last two names one value
// (owner "|" name, percent-escaped); its value is empty when the setting was new
// and "was:" + the old text when the run replaced it. Readers that do not know the
// sections leave them alone, so nothing is ever taken for the product's by them.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "support/ini_file.h"

namespace tavlin {

inline constexpr const char* kRegistryValuesSection = "Registry Values";
inline constexpr const char* kIniValuesSection = "INI Values";
// AUTOEXEC.BAT or CONFIG.SYS created by the run; removed when empty again.
inline constexpr const char* kStartupFilesSection = "Start-up Files";
// Folders the run made where the uninstall does not delete a whole tree: inside a
// folder that held files before, or above the installation folder. Each is
// removed when it is empty at the end.
inline constexpr const char* kCreatedFoldersSection = "Created Folders";

// One setting of [Registry Values] or [INI Values]: the registry key (root name,
// "\" and path) or the INI file and section, the value's name, and the text it
// had before the run (nothing: the run added it).
struct LoggedSetting {
    std::string owner;    // "HKEY_...\PATH" or "FILE|SECTION"
    std::string name;
    std::optional<std::string> previous;
};

// Escapes "%", "|", "=", ";", quotes, brackets, control characters and blanks at
// either end, so that any text survives as an INI key or value.
std::string EscapeLogText(const std::string& text);
std::string UnescapeLogText(const std::string& text);

// The settings of one of the two sections, in file order.
std::vector<LoggedSetting> ReadLoggedSettings(Platform& platform, const std::string& logPath,
                                              const std::string& section);

class UninstallLog {
public:
    // Opens the log on path (the caller deletes an old one first).
    UninstallLog(Platform& platform, const std::string& path);

    const std::string& Path() const { return ini_.FileName(); }
    // Starts the log afresh: its sections in their usual order, with the title
    // already in [Name], so that a run stopped half-way leaves a log that names
    // its product. Raises EIniFileException "Unable to write to <log>".
    void Create(const std::string& title);
    // Each adds one key with an empty value; raises EIniFileException
    // "Unable to write to <log>" when it cannot.
    void AddFile(const std::string& pathOrPattern);    // [Files]
    // Several [Files] entries as one change of the log where the platform can make
    // it one; those written already are left out.
    void AddFiles(const std::vector<std::string>& paths);
    void AddFolder(const std::string& folder);         // [Folder]
    void AddRegistryKey(const std::string& key);       // [Registry]
    void SetTitle(const std::string& title);           // [Name] Title=
    void AddCreatedStartupFile(const std::string& path);  // [Start-up Files]
    void AddCreatedFolder(const std::string& folder);     // [Created Folders]
    // A value written into a registry key that existed before the run. Only the
    // first writing of a value is kept: it holds what the value was before.
    void AddRegistryValue(const std::string& key, const std::string& name, const std::optional<std::string>& previous);
    // A key written into an INI file that existed before the run; likewise.
    void AddIniValue(const std::string& file, const std::string& section, const std::string& key,
                     const std::optional<std::string>& previous);

private:
    void AddSetting(const char* section, const std::string& owner, const std::string& name,
                    const std::optional<std::string>& previous);

    // Adds keys with empty values, as one change where the platform can make it
    // one, leaving out those this log wrote already: many files share one "*.*"
    // entry, and writing it again would change nothing.
    void AddKeys(const char* section, const std::vector<std::string>& keys);
    void AddKey(const char* section, const std::string& key);

    Platform& platform_;
    IniFile ini_;
    std::set<std::string> keysWritten_;  // section "|" key, as written
    std::set<std::string> settingsLogged_;  // upper-cased section "|" key
};

}  // namespace tavlin
