// Which [Files] and [Folder] entries of an uninstall log the uninstall follows.
// The log is a text file that anyone can edit: an entry that climbs out of the
// folder it names, hides a name behind trailing dots or blanks, or empties by
// pattern a folder that is not the product's is refused, and the run goes on
// with the others.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "install/protected_folders.h"

namespace tavlin {

class Platform;

class LogEntryRule {
public:
    // installFolder: the product's installation folder; productName: its entry in
    // the list of installed programs, whose folder is not another program's.
    LogEntryRule(Platform& platform, const std::string& installFolder, const std::string& productName);

    // Why a [Files] entry (a folder and a file name or pattern) is refused, or
    // nothing when the uninstall follows it.
    std::optional<std::string> RefusalOfFile(const std::string& entry) const;
    // Why a folder entry ([Folder], [Created Folders]) is refused, or nothing.
    std::optional<std::string> RefusalOfFolder(const std::string& entry) const;

private:
    struct OtherProgram {
        std::string name;
        std::string key;  // its folder, in the form of Key()
    };

    // One form for a folder however it is written: absolute, short where it
    // exists, upper case, without a trailing "\".
    std::string Key(const std::string& folder) const;
    std::optional<std::string> RefusalOfPattern(const std::string& folder) const;

    Platform& platform_;
    ProtectedFolders protectedFolders_;
    std::string installKey_;
    std::vector<OtherProgram> otherPrograms_;
};

}  // namespace tavlin
