// The rule for the uninstall log's file and folder entries.
#include "uninstall/log_entry_rule.h"

#include "install/ini_registry.h"
#include "platform/platform.h"
#include "support/paths.h"
#include "support/safe_path.h"
#include "support/text.h"

namespace tavlin {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Windows drops trailing dots and blanks from a name it opens, so "WIN.INI." is
// WIN.INI: a name written that way hides from any check of the name as written.
bool EndsANameWithADotOrBlank(const std::string& path) {
    for (std::size_t i = 0; i < path.size(); ++i) {
        const bool nameEnds = i + 1 == path.size() || IsSeparator(path[i + 1]);
        if (nameEnds && (path[i] == '.' || path[i] == ' ')) return true;
    }
    return false;
}

// What is wrong with the way a path is written, if anything.
std::optional<std::string> FormFault(const std::string& path) {
    if (const PathFault fault = FindPathFault(path, PathForm::Absolute); fault != PathFault::None) {
        return PathFaultText(fault);
    }
    if (EndsANameWithADotOrBlank(path)) return "ends a name with a dot or a blank";
    return std::nullopt;
}

bool IsPattern(const std::string& name) { return name.find_first_of("*?") != std::string::npos; }

// The program of an uninstall command: quoted, or up to the last "\" and the
// name's first blank after it.
std::string ProgramOf(std::string command) {
    if (!command.empty() && command.front() == '"') return command.substr(1, command.find('"', 1) - 1);
    const std::string folder = ExtractFilePath(command);
    const std::string rest = command.substr(folder.size());
    return folder + rest.substr(0, rest.find(' '));
}

bool LiesIn(const std::string& key, const std::string& folderKey) { return StartsWith(key + "\\", folderKey + "\\"); }

}  // namespace

LogEntryRule::LogEntryRule(Platform& platform, const std::string& installFolder, const std::string& productName)
    : platform_(platform), protectedFolders_(platform), installKey_(Key(installFolder)) {
    Registry& registry = platform.registry();
    const std::string list = kUninstallListKey;
    for (const auto& name : registry.subKeyNames(RegistryRoot::LocalMachine, list)) {
        if (SameTextAscii(name, productName)) continue;
        const std::string program =
            ProgramOf(registry.readString(RegistryRoot::LocalMachine, list + name, "UninstallString").value_or(""));
        // An entry that starts this folder's setup is the product's own, whatever its name.
        if (SameTextAscii(ExtractFileName(program), "setup.exe") && Key(ExtractFilePath(program)) == installKey_) continue;
        // Where it says it lies, else the folder of its uninstall program.
        std::string folder = registry.readString(RegistryRoot::LocalMachine, list + name, "InstallLocation").value_or("");
        if (folder.empty()) folder = ExtractFilePath(program);
        // A program listed in a shared folder, or in none, marks no folder of its own.
        if (!IsSafePath(folder, PathForm::Absolute) || protectedFolders_.Contains(folder)) continue;
        otherPrograms_.push_back({name, Key(folder)});
    }
}

std::string LogEntryRule::Key(const std::string& folder) const {
    // The short form of the part that exists, and the rest as written: a folder
    // that is not there yet compares with the short form of one that is.
    FileSystem& files = platform_.files();
    std::string existing = ExcludeTrailingBackslash(files.fullPathName(folder));
    std::string rest;
    while (!existing.empty() && !files.directoryExists(existing)) {
        const auto cut = existing.find_last_of('\\');
        if (cut == std::string::npos) break;
        rest = existing.substr(cut) + rest;
        existing.erase(cut);
    }
    const std::string shortForm = files.shortPathName(existing).value_or(existing);
    return UpperCaseAscii(ExcludeTrailingBackslash(shortForm) + rest);
}

std::optional<std::string> LogEntryRule::RefusalOfFile(const std::string& entry) const {
    const std::string folder = ExtractFilePath(entry);
    const std::string name = ExtractFileName(entry);
    // A pattern's wildcards are no fault of the name; everything else of it is checked.
    std::string written = entry;
    for (std::size_t i = folder.size(); i < written.size(); ++i) {
        if (written[i] == '*' || written[i] == '?') written[i] = 'x';
    }
    if (auto fault = FormFault(written)) return fault;
    if (IsPattern(name)) return RefusalOfPattern(folder);
    return std::nullopt;
}

std::optional<std::string> LogEntryRule::RefusalOfFolder(const std::string& entry) const {
    if (auto fault = FormFault(entry)) return fault;
    if (protectedFolders_.Contains(entry)) return "is a folder shared with Windows or other programs";
    return std::nullopt;
}

std::optional<std::string> LogEntryRule::RefusalOfPattern(const std::string& folder) const {
    if (protectedFolders_.Contains(folder)) return "empties by pattern a folder shared with Windows or other programs";
    const std::string key = Key(folder);
    for (const auto& other : otherPrograms_) {
        // Its folder, one that holds it, or one inside it that is not inside ours
        // (a product may be a plug-in installed below another program's folder).
        if (LiesIn(other.key, key) || (LiesIn(key, other.key) && !LiesIn(key, installKey_))) {
            return "empties by pattern the folder of another program (" + other.name + ")";
        }
    }
    return std::nullopt;
}

}  // namespace tavlin
