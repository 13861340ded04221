// Cutting and checking the lines of finstall.cfg.
#include "install/file_list_line.h"

#include "install/path_macros.h"
#include "support/fields.h"

namespace tavlin {

FileListLine SplitFileListLine(const std::string& line) {
    FileListLine result;
    std::string rest = line;
    std::string field;
    for (const char separator : {'\t', ','}) {
        while (rest.find(separator) != std::string::npos) {
            SplitFirstField(rest, separator, field);
            result.fields.push_back(field);
        }
    }
    result.source = rest;
    return result;
}

std::string SourceBelowDrive(const std::string& source) { return source.size() > 3 ? source.substr(3) : std::string(); }

PathFault FileListLineFault(const FileListLine& line) {
    const std::string& source = line.source;
    if (source.size() < 4 || source[1] != ':' || (source[2] != '\\' && source[2] != '/')) {
        return source.empty() ? PathFault::Empty : PathFault::NotAbsolute;
    }
    if (const PathFault fault = FindPathFault(source, PathForm::Absolute); fault != PathFault::None) return fault;
    // "C:\.\" would name the expansion folder itself.
    if (ResolvePath(source).size() <= 3) return PathFault::Empty;
    for (const std::string& field : line.fields) {
        bool keyword = false;
        for (const char* name : FolderKeywords) keyword = keyword || field == name;
        // An empty field adds an empty folder name, which the platform reads as none.
        if (keyword || field.empty()) continue;
        if (const PathFault fault = FindPathFault(field, PathForm::Relative); fault != PathFault::None) return fault;
    }
    return PathFault::None;
}

}  // namespace tavlin
