// Deleting a folder with everything below it, read-only, hidden and system files
// included.
#pragma once

#include <functional>
#include <string>

#include "platform/file_system.h"

namespace tavlin {

class EngineUi;
class Platform;

class TDelTree {
public:
    TDelTree(Platform& platform, EngineUi& ui);

    std::string Path = "<..>";
    bool Verbose = false;
    // Called before each file is deleted; setting cancel stops its folder.
    std::function<void(TDelTree& sender, const std::string& fileName, const FindData& searchRec, bool& cancel)>
        OnProcessFile;

    // Deletes Path; true when it is gone or never existed.
    bool DeleteTree();
    bool DeleteFolderContents(const std::string& path);
    // Shows format with argument in place of "%s" when Verbose and no error was
    // shown yet in this run; marks the run as failed in any case.
    void ReportTreeError(const std::string& format, const std::string& argument);

private:
    Platform& platform_;
    EngineUi& ui_;
    bool errorReported_ = false;
};

}  // namespace tavlin
