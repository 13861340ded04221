#include "support/folders.h"

#include "platform/platform.h"

namespace tavlin {

namespace {

struct SpecialFolderLocation {
    RegistryRoot root;
    const char* key;
    const char* secondKey;
    const char* valueName;
};

const char* const kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders\\";
const char* const kShellFoldersUpper = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders\\";

const SpecialFolderLocation kLocations[] = {
    {RegistryRoot::CurrentUser, kShellFolders, kShellFoldersUpper, "Desktop"},
    {RegistryRoot::CurrentUser, kShellFolders, kShellFoldersUpper, "Programs"},
    {RegistryRoot::CurrentUser, kShellFolders, kShellFoldersUpper, "Start Menu"},
    {RegistryRoot::CurrentUser, kShellFolders, kShellFoldersUpper, "Startup"},
    {RegistryRoot::CurrentUser, kShellFolders, kShellFoldersUpper, "AppData"},
    {RegistryRoot::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\",
     "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\", "ProgramFilesDir"},
};

}  // namespace

std::string SpecialFolder(Platform& platform, SpecialFolderKind kind) {
    const SpecialFolderLocation& where = kLocations[kind];
    Registry& registry = platform.registry();
    std::string folder;
    for (const char* key : {where.key, where.secondKey}) {
        if (registry.createKey(where.root, key)) {
            folder = registry.readString(where.root, key, where.valueName).value_or("");
            break;
        }
    }
    // An empty value would put the folder at the root of the current drive; fall
    // back as if the key were missing.
    if (folder.empty()) {
        const std::string windows = WindowsFolder(platform);
        folder = kind == sfProgramFiles ? windows.substr(0, 2) + "\\Program Files\\"
                                        : windows + "\\" + where.valueName + "\\";
    }
    if (folder.back() != '\\') folder += '\\';
    if (kind == sfQuickLaunch) folder += "Microsoft\\Internet Explorer\\Quick Launch\\";
    return folder;
}

std::string WindowsFolder(Platform& platform) { return platform.files().windowsDirectory(); }

std::string SystemFolder(Platform& platform) { return platform.files().systemDirectory(); }

std::string ShortPathOf(Platform& platform, const std::string& path) {
    return platform.files().shortPathName(path).value_or(path);
}

}  // namespace tavlin
