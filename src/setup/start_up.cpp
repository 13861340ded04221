#include "setup/start_up.h"

#include <cstdio>

#include "install/ini_registry.h"
#include "platform/platform.h"
#include "support/fields.h"
#include "support/folders.h"
#include "support/paths.h"

namespace tavlin {

std::string RegisteredUninstallString(Platform& platform, const std::string& keyName) {
    return platform.registry()
        .readString(RegistryRoot::LocalMachine, std::string(kUninstallListKey) + keyName, "UninstallString")
        .value_or("");
}

void ChangeToRegisteredFolder(Platform& platform, const std::string& commandLine) {
    if (commandLine.empty()) return;
    const std::string folder = ExtractFilePath(RegisteredUninstallString(platform, commandLine));
    // A folder that cannot be entered leaves the run where it started.
    if (!folder.empty()) platform.files().setCurrentDirectory(folder);
}

namespace {

std::string TwoDigits(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", value % 100);
    return text;
}

// Creates the first free folder of base, base_2, base_3 ...; returns it with its
// trailing "\". When none can be created the plain name is returned and the
// expansion fails later, when it cannot write there.
std::string ClaimExpansionFolder(FileSystem& files, const std::string& base) {
    const std::string parent = ExtractFilePath(base);
    files.forceDirectories(parent);
    for (int n = 1; n < 1000; ++n) {
        const std::string candidate = n == 1 ? base : base + "_" + std::to_string(n);
        if (files.attributes(candidate)) continue;  // taken by another setup (or a file)
        if (files.createDirectory(candidate)) return candidate + "\\";
        if (!files.attributes(candidate)) break;    // not a race: the folder cannot be made
    }
    return base + "\\";
}

}  // namespace

void InitSetupState(Platform& platform, SetupState& state, const std::string& commandLine) {
    FileSystem& files = platform.files();
    const LocalTime time = platform.clock().now();
    const std::string stamp = TwoDigits(time.hour) + TwoDigits(time.minute) + TwoDigits(time.second);

    state.SourceDir = IncludeTrailingBackslash(files.currentDirectory());
    if (!commandLine.empty() && ExtractFileName(commandLine).empty()) {
        // The command line names the media folder; it is taken as written.
        if (!files.setCurrentDirectory(commandLine)) {
            throw ESetupStartError("Unable to open the setup folder " + commandLine);
        }
        state.SourceDir = commandLine;
    }

    const std::string windows = WindowsFolder(platform);
    if (state.UninstallMode) {
        state.SegTempDir = state.SourceDir;
        state.ExpandDir = state.SourceDir;
    } else {
        state.SegTempDir = windows + "\\Temp\\";
        state.ExpandDir = ClaimExpansionFolder(files, windows + "\\Temp\\tvlp_" + stamp);
    }

    for (StringList* list : {&state.ArchiveFileList, &state.InstallFiles, &state.InstallTargets, &state.AutoexecLines,
                             &state.ConfigSysLines, &state.IniRegistryEntries, &state.DesktopItems, &state.LaunchApps,
                             &state.LaunchAppLocations, &state.PreviousUninstallLines}) {
        list->Clear();
    }
}

std::string SelfRemovalBatchPath(Platform& platform) { return WindowsFolder(platform) + "\\Temp\\vivUro.bat"; }

StringList SelfRemovalBatchLines(Platform& platform, const std::string& sourceDir) {
    std::string rest = ShortPathOf(platform, sourceDir);
    std::vector<std::string> components;
    while (rest.find('\\') != std::string::npos) {
        std::string component;
        SplitFirstField(rest, '\\', component);
        components.push_back(component);
    }
    StringList lines;
    lines.Add("Rem Goto Drive of Installed Files.");
    if (components.empty()) {  // no drive to go to: nothing can be removed
        lines.Add("exit");
        return lines;
    }
    lines.Add(components.front());
    lines.Add("cd\\");
    for (std::size_t k = 1; k < components.size(); ++k) lines.Add("cd " + components[k]);
    lines.Add("del setup.exe");
    // A program in the root of its drive has no folder to remove.
    if (components.size() > 1) {
        lines.Add("cd..");
        lines.Add("rd " + ShortPathOf(platform, components.back()));
    }
    lines.Add("exit");
    return lines;
}

void WriteSelfRemovalBatch(Platform& platform, const std::string& sourceDir) {
    platform.files().forceDirectories(WindowsFolder(platform) + "\\Temp");
    SelfRemovalBatchLines(platform, sourceDir).SaveToFile(platform.files(), SelfRemovalBatchPath(platform));
}

}  // namespace tavlin
