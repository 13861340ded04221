// The check of the expansion's result; see expansion_result.h.
#include "setup/expansion_result.h"

#include "install/file_list_line.h"
#include "install/setup_state.h"
#include "platform/file_system.h"
#include "support/safe_path.h"

namespace tavlin {

void CheckExpansionResult(FileSystem& files, const SetupState& state) {
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
        const bool folder = parts.source.back() == '\\' || parts.source.back() == '/';
        if (folder ? !files.directoryExists(expanded) : !files.fileExists(expanded)) {
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
