#include "support/shell_helpers.h"

#include "platform/platform.h"

namespace tavlin {

int SmallIconIndex(Platform& platform, const std::string& path) { return platform.shell().smallIconIndex(path); }

void OpenWithShell(Platform& platform, const std::string& path, int mode) {
    static constexpr int kShowCommands[] = {swShowNormal, swShowMaximized, swShowMinimized, swHide};
    if (mode < 0 || mode > 3) return;
    platform.shell().execute(ShellOwner::Desktop, "open", path, "", "", kShowCommands[mode]);
}

void RunFileIn(Platform& platform, const std::string& file, const std::string& parameters, const std::string& folder,
               int showCommand) {
    platform.shell().execute(ShellOwner::MainWindow, "", file, parameters, folder, showCommand);
}

}  // namespace tavlin
