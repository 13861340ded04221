// The lists of shared INI files and registry keys.
#include "install/shared_settings.h"

#include <string_view>

#include "platform/platform.h"
#include "support/folders.h"
#include "support/paths.h"
#include "support/text.h"

namespace tavlin {

namespace {

constexpr std::string_view kSharedIniFiles[] = {
    "WIN.INI",    "SYSTEM.INI", "CONTROL.INI", "PROGMAN.INI", "WINFILE.INI",
    "DOSAPP.INI", "PROTOCOL.INI", "ODBC.INI",  "ODBCINST.INI",
};

// Keys of Windows that hold other programs' settings, in normal upper-case form.
constexpr std::string_view kSharedKeys[] = {
    "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN",
    "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUNONCE",
    "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUNSERVICES",
    "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUNSERVICESONCE",
    "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\UNINSTALL",
    "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\APP PATHS",
    "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\SHAREDDLLS",
    "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\EXPLORER\\SHELL FOLDERS",
    "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\EXPLORER\\USER SHELL FOLDERS",
    "SOFTWARE\\MICROSOFT\\WINDOWS NT\\CURRENTVERSION",
    "SOFTWARE\\CLASSES",
    "SOFTWARE\\POLICIES",
    "SYSTEM\\CURRENTCONTROLSET\\SERVICES",
    "SYSTEM\\CURRENTCONTROLSET\\CONTROL",
};

}  // namespace

bool IsSharedWindowsIniFile(Platform& platform, const std::string& path) {
    const std::string name = UpperCaseAscii(ExtractFileName(path));
    bool shared = false;
    for (const auto candidate : kSharedIniFiles) shared = shared || name == candidate;
    if (!shared) return false;
    // A bare name means the Windows folder, as the profile functions take it.
    if (ExtractFilePath(path).empty()) return true;
    FileSystem& files = platform.files();
    const std::string folder = UpperCaseAscii(ExcludeTrailingBackslash(ExtractFilePath(files.fullPathName(path))));
    const std::string windows = UpperCaseAscii(ExcludeTrailingBackslash(files.fullPathName(WindowsFolder(platform))));
    const auto shortForm = [&files](const std::string& folderPath) {
        return UpperCaseAscii(files.shortPathName(folderPath).value_or(folderPath));
    };
    return folder == windows || shortForm(folder) == shortForm(windows);
}

std::string NormalKeyPath(const std::string& path) {
    std::string normal;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string::npos) end = path.size();
        if (end > start) {
            if (!normal.empty()) normal += '\\';
            normal += path.substr(start, end - start);
        }
        start = end + 1;
    }
    return normal;
}

bool IsSharedRegistryKey(const std::string& keyPath) {
    const std::string key = UpperCaseAscii(NormalKeyPath(keyPath));
    if (key.find('\\') == std::string::npos) return true;  // the root itself or one level below
    for (const auto shared : kSharedKeys) {
        if (shared == key || StartsWith(shared, key + "\\")) return true;
    }
    return false;
}

}  // namespace tavlin
