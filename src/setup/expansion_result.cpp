// The check of the expansion's result; see expansion_result.h.
#include "setup/expansion_result.h"

#include "install/file_list_line.h"
#include "install/path_macros.h"
#include "install/setup_state.h"
#include "platform/file_system.h"
#include "support/fields.h"
#include "support/safe_path.h"
#include "support/text.h"

namespace tavlin {

namespace {

// A configuration text with its folder macros replaced by a stand-in folder, so
// that what the author wrote around them can be judged before any folder is known.
std::string WithoutMacros(std::string text) {
    for (const char* macro : FolderMacros) {
        const std::string upperMacro = UpperCaseAscii(macro);
        for (std::size_t at = UpperCaseAscii(text).find(upperMacro); at != std::string::npos;
             at = UpperCaseAscii(text).find(upperMacro)) {
            text.replace(at, upperMacro.size(), "C:\\FOLDER\\");
        }
    }
    return text;
}

// A path that is either full (with a drive) or below the folder it is taken in.
PathFault FullOrRelativeFault(const std::string& text) {
    const std::string path = WithoutMacros(text);
    const bool full = path.size() >= 2 && path[1] == ':';
    return FindPathFault(path, full ? PathForm::Absolute : PathForm::Relative);
}

std::vector<std::string> CutFields(std::string text, std::size_t count) {
    std::vector<std::string> fields(count);
    for (auto& field : fields) SplitFirstField(text, ',', field);
    return fields;
}

void Refuse(const std::string& what, const std::string& text, PathFault fault) {
    throw EExpansionIncomplete(what + " \"" + text + "\" " + PathFaultText(fault));
}

// The names in install.cfg that become files, folders, links or registry keys.
void CheckConfigurationPaths(const SetupState& state, const std::string& title) {
    for (const std::string& entry : state.IniRegistryEntries) {
        const std::string file = CutFields(entry, 1)[0];
        // Registry entries name keys, not files; only INI entries reach the disk.
        if (!Contains(file, ".")) continue;
        if (const PathFault fault = FullOrRelativeFault(file); fault != PathFault::None) Refuse("INI file", file, fault);
    }
    for (const std::string& item : state.DesktopItems) {
        const std::vector<std::string> fields = CutFields(item, 7);
        const std::string& name = fields[0];
        PathFault fault = FindPathFault(name, PathForm::Relative);
        if (fault == PathFault::None && name.find_first_of("\\/") != std::string::npos) fault = PathFault::UpLevel;
        if (fault != PathFault::None) Refuse("Shortcut name", name, fault);
        if (!fields[1].empty()) {
            if (const PathFault f = FullOrRelativeFault(fields[1]); f != PathFault::None) Refuse("Shortcut target", fields[1], f);
        }
        if (!fields[6].empty()) {
            if (const PathFault f = FindPathFault(fields[6], PathForm::Relative); f != PathFault::None) {
                Refuse("Shortcut folder", fields[6], f);
            }
        }
    }
    for (const std::string& location : state.LaunchAppLocations) {
        if (location.empty()) continue;
        if (const PathFault fault = FullOrRelativeFault(location); fault != PathFault::None) {
            Refuse("Launch application location", location, fault);
        }
    }
    for (const std::string* folder : {&state.DesktopFolder, &state.MainDirectory}) {
        if (folder->empty() || StartsWith(*folder, "HKEY_")) continue;
        if (const PathFault fault = FullOrRelativeFault(*folder); fault != PathFault::None) Refuse("Folder", *folder, fault);
    }
    // The title names the product's key in the list of installed programs, where
    // "\\" would open a key below it that the uninstall never finds.
    if (title.find('\\') != std::string::npos || title.find_first_of("\r\n") != std::string::npos) {
        throw EExpansionIncomplete("Title \"" + title + "\" cannot name an uninstall entry");
    }
}

}  // namespace

void CheckExpansionResult(FileSystem& files, const SetupState& state, const std::string& title) {
    CheckConfigurationPaths(state, title);
    for (const std::string& line : state.ArchiveFileList) {
        if (line.empty()) continue;
        const FileListLine parts = SplitFileListLine(line);
        if (const PathFault fault = FileListLineFault(parts); fault != PathFault::None) {
            throw EExpansionIncomplete("File list line \"" + line + "\" " + PathFaultText(fault));
        }
        const std::string expanded = state.ExpandDir + SourceBelowDrive(parts.source);
        if (!PathLiesInside(expanded, state.ExpandDir) || expanded.size() > kMaxPathLength) {
            throw EExpansionIncomplete("File list line \"" + line + "\" leaves the expansion folder");
        }
        // A folder entry copies nothing (an empty product folder has no member),
        // so only files must be there.
        const bool folder = parts.source.back() == '\\' || parts.source.back() == '/';
        if (!folder && !files.fileExists(expanded)) {
            throw EExpansionIncomplete("The expansion did not produce " + expanded);
        }
    }
    for (const std::string& app : state.LaunchApps) {
        if (FindPathFault(app, PathForm::Absolute) != PathFault::None || !PathLiesInside(app, state.ExpandDir)) {
            throw EExpansionIncomplete("Launch application \"" + app + "\" leaves the expansion folder");
        }
    }
}

}  // namespace tavlin
