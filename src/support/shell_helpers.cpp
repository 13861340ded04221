#include "support/shell_helpers.h"

#include "platform/platform.h"

namespace tavlin {

int SmallIconIndex(Platform& platform, const std::string& path) { return platform.shell().smallIconIndex(path); }

bool OpenWithShell(Platform& platform, const std::string& path, int mode) {
    static constexpr int kShowCommands[] = {swShowNormal, swShowMaximized, swShowMinimized, swHide};
    if (mode < 0 || mode > 3) return true;  // nothing asked for, nothing failed
    return platform.shell().execute(ShellOwner::Desktop, "open", path, "", "", kShowCommands[mode]);
}

bool RunFileIn(Platform& platform, const std::string& file, const std::string& parameters, const std::string& folder,
               int showCommand) {
    return platform.shell().execute(ShellOwner::MainWindow, "", file, parameters, folder, showCommand);
}

std::string ShellFailureNote(Platform& platform, const std::string& file) {
    const std::string reason = platform.shell().lastFailure();
    return "Could not start " + file + (reason.empty() ? "" : ": " + reason);
}

}  // namespace tavlin
