// Writing the uninstall log: one key with an empty value per entry, each written
// at once through the profile functions.
#include "install/uninstall_log.h"

#include <string_view>

#include "platform/platform.h"

namespace tavlin {

namespace {

// The sections in the order the entries of an installation come in; laid out
// first so that [Name] can be written at the start and still stand last.
constexpr std::string_view kSections = "[Files]\r\n[Folder]\r\n[Registry]\r\n[Name]\r\n";

}  // namespace

UninstallLog::UninstallLog(Platform& platform, const std::string& path) : platform_(platform), ini_(platform, path) {}

void UninstallLog::Create(const std::string& title) {
    try {
        auto file = platform_.files().create(Path());
        file->writeBuffer(kSections.data(), kSections.size());
    } catch (const EStreamError&) {
        throw EIniFileException("Unable to write to " + Path());
    }
    SetTitle(title);
}

void UninstallLog::AddFile(const std::string& pathOrPattern) { ini_.WriteString("Files", pathOrPattern, ""); }

void UninstallLog::AddFolder(const std::string& folder) { ini_.WriteString("Folder", folder, ""); }

void UninstallLog::AddRegistryKey(const std::string& key) { ini_.WriteString("Registry", key, ""); }

void UninstallLog::SetTitle(const std::string& title) { ini_.WriteString("Name", "Title", title); }

}  // namespace tavlin
