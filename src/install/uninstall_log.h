// The uninstall log uninstaller.cfg in the installation folder: every change of an
// installation is written to it as it happens, so that a run that stops half-way
// still leaves a log from which everything installed so far can be removed.
#pragma once

#include <string>

#include "support/ini_file.h"

namespace tavlin {

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
    void AddFolder(const std::string& folder);         // [Folder]
    void AddRegistryKey(const std::string& key);       // [Registry]
    void SetTitle(const std::string& title);           // [Name] Title=

private:
    Platform& platform_;
    IniFile ini_;
};

}  // namespace tavlin
