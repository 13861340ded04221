// Path normalisation without touching the disk.
#include "platform/hosted/windows_path.h"

#include <cctype>

#include "platform/hosted/windows_text.h"

namespace tavlin::hosted {

namespace {

bool hasDrivePrefix(std::string_view text) {
    return text.size() >= 2 && text[1] == ':' && std::isalpha(static_cast<unsigned char>(text[0]));
}

// Drops the trailing dots and blanks that Windows ignores at the end of a name.
std::string trimmedName(std::string_view name) {
    if (name == "." || name == "..") return std::string(name);
    std::size_t end = name.size();
    while (end > 0 && (name[end - 1] == '.' || name[end - 1] == ' ')) --end;
    return std::string(name.substr(0, end));
}

void appendComponents(WindowsPath& path, std::string_view rest) {
    std::size_t pos = 0;
    while (pos <= rest.size()) {
        std::size_t end = pos;
        while (end < rest.size() && !isPathSeparator(rest[end])) ++end;
        const std::string name = trimmedName(rest.substr(pos, end - pos));
        if (name == "..") {
            if (!path.components.empty()) path.components.pop_back();
        } else if (!name.empty() && name != ".") {
            path.components.push_back(name);
        }
        pos = end + 1;
    }
    path.trailingSeparator = !rest.empty() && isPathSeparator(rest.back());
}

}  // namespace

char WindowsPath::driveLetter() const {
    return drive.empty() ? '\0' : upperWindowsChar(drive[0]);
}

std::string WindowsPath::text() const {
    std::string out = drive + "\\";
    for (std::size_t i = 0; i < components.size(); ++i) {
        if (i > 0) out += '\\';
        out += components[i];
    }
    if (trailingSeparator && !components.empty()) out += '\\';
    return out;
}

WindowsPath WindowsPath::parent() const {
    WindowsPath up = *this;
    if (!up.components.empty()) up.components.pop_back();
    up.trailingSeparator = false;
    return up;
}

WindowsPath WindowsPath::child(const std::string& name) const {
    WindowsPath down = *this;
    down.components.push_back(name);
    down.trailingSeparator = false;
    return down;
}

bool isPathSeparator(char c) { return c == '\\' || c == '/'; }

std::optional<WindowsPath> parseAbsolutePath(std::string_view text) {
    if (!hasDrivePrefix(text) || text.size() < 3 || !isPathSeparator(text[2])) return std::nullopt;
    WindowsPath path;
    path.drive = std::string(text.substr(0, 2));
    appendComponents(path, text.substr(3));
    if (path.components.empty()) path.trailingSeparator = false;
    return path;
}

std::optional<WindowsPath> absolutePath(std::string_view text, const WindowsPath& currentDirectory) {
    if (text.empty()) return std::nullopt;
    if (text.size() >= 2 && isPathSeparator(text[0]) && isPathSeparator(text[1])) return std::nullopt;

    WindowsPath path;
    std::string_view rest = text;
    if (hasDrivePrefix(text)) {
        rest = text.substr(2);
        const bool sameDrive = upperWindowsChar(text[0]) == currentDirectory.driveLetter();
        if (!rest.empty() && isPathSeparator(rest[0])) {
            path.drive = std::string(text.substr(0, 2));
        } else if (sameDrive) {
            // Relative to the current folder of that drive, which is ours.
            path = currentDirectory;
            path.trailingSeparator = false;
        } else {
            path.drive = std::string(text.substr(0, 2));
        }
        if (rest.empty()) {
            path.trailingSeparator = !path.components.empty();
            return path;
        }
    } else if (isPathSeparator(text[0])) {
        path.drive = currentDirectory.drive;
    } else {
        path = currentDirectory;
        path.trailingSeparator = false;
    }
    appendComponents(path, rest);
    if (path.components.empty()) path.trailingSeparator = false;
    return path;
}

bool isValidFileName(std::string_view name) {
    if (name.empty()) return false;
    for (const char c : name) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20) return false;
        switch (c) {
            case '\\': case '/': case ':': case '*': case '?': case '"': case '<': case '>': case '|':
                return false;
            default:
                break;
        }
    }
    return true;
}

}  // namespace tavlin::hosted
