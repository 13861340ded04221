// The protected-folder rule. Folders are compared in a normal form: absolute, short
// (8.3) where the platform knows one, upper case, without a trailing "\".
#include "install/protected_folders.h"

#include "platform/platform.h"
#include "support/folders.h"
#include "support/paths.h"
#include "support/text.h"

namespace tavlin {

namespace {

bool IsDriveText(const std::string& text) {
    const std::string folder = ExcludeTrailingBackslash(text);
    return folder.size() == 2 && folder[1] == ':';
}

// "\\server\share" with nothing below it.
bool IsShareRoot(const std::string& folder) {
    if (!StartsWith(folder, "\\\\")) return false;
    const auto server = folder.find('\\', 2);
    return server != std::string::npos && folder.find('\\', server + 1) == std::string::npos;
}

}  // namespace

ProtectedFolders::ProtectedFolders(Platform& platform) : platform_(platform) {
    const std::string windows = ExcludeTrailingBackslash(WindowsFolder(platform));
    const std::string candidates[] = {
        windows,
        windows + "\\System",
        windows + "\\System32",
        windows + "\\Fonts",
        SystemFolder(platform),
        SpecialFolder(platform, sfProgramFiles),
        SpecialFolder(platform, sfDesktop),
        SpecialFolder(platform, sfStartMenu),
        SpecialFolder(platform, sfPrograms),
        SpecialFolder(platform, sfStartup),
        SpecialFolder(platform, sfQuickLaunch),
    };
    for (const auto& folder : candidates) {
        if (!folder.empty()) folders_.push_back(Normalized(folder));
    }
}

std::string ProtectedFolders::Normalized(const std::string& folder) const {
    // The part that exists takes its short form; the rest stays as written, so that
    // a folder and the folders below it share one form whether they exist or not.
    FileSystem& files = platform_.files();
    std::string head = ExcludeTrailingBackslash(files.fullPathName(folder));
    std::string tail;
    while (!head.empty() && !IsDriveText(head)) {
        if (const auto shortForm = files.shortPathName(head)) {
            head = ExcludeTrailingBackslash(*shortForm);
            break;
        }
        const auto cut = head.find_last_of('\\');
        if (cut == std::string::npos) break;
        tail = head.substr(cut) + tail;
        head.erase(cut);
    }
    return UpperCaseAscii(head + tail);
}

bool ProtectedFolders::Contains(const std::string& folder) const {
    if (Trim(folder).empty() || IsDriveText(folder)) return true;
    const std::string normal = Normalized(folder);
    if (IsDriveText(normal) || IsShareRoot(normal)) return true;
    for (const auto& protectedFolder : folders_) {
        // A folder that holds a protected one would take it along when removed.
        if (protectedFolder == normal || StartsWith(protectedFolder, normal + "\\")) return true;
    }
    return false;
}

bool IsProtectedFolder(Platform& platform, const std::string& folder) {
    return ProtectedFolders(platform).Contains(folder);
}

}  // namespace tavlin
