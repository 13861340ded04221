// The path rule: which names Windows would resolve somewhere unexpected, and the
// lexical resolution that tells whether a path stays inside its folder.
#include "support/safe_path.h"

#include <algorithm>
#include <vector>

#include "support/paths.h"
#include "support/text.h"

namespace tavlin {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool HasDrive(std::string_view path) { return path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':'; }

bool IsDotsAndBlanks(std::string_view name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) { return c == '.' || c == ' '; });
}

std::size_t DotCount(std::string_view name) { return static_cast<std::size_t>(std::count(name.begin(), name.end(), '.')); }

// Windows drops trailing dots and blanks from every component it opens.
std::string_view WithoutTrailingDotsAndBlanks(std::string_view name) {
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.remove_suffix(1);
    return name;
}

std::vector<std::string_view> SplitComponents(std::string_view rest) {
    std::vector<std::string_view> components;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= rest.size(); ++i) {
        if (i == rest.size() || IsSeparator(rest[i])) {
            components.push_back(rest.substr(start, i - start));
            start = i + 1;
        }
    }
    return components;
}

// A path split into what it starts at ("C:", "\\server\share", "\" or nothing)
// and its components.
struct SplitPath {
    std::string start;
    std::string_view rest;
};

SplitPath SplitStart(std::string_view path) {
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        std::size_t server = 2;
        while (server < path.size() && !IsSeparator(path[server])) ++server;
        std::size_t share = server < path.size() ? server + 1 : server;
        while (share < path.size() && !IsSeparator(path[share])) ++share;
        std::string start(path.substr(0, share));
        std::replace(start.begin(), start.end(), '/', '\\');
        return {start, path.substr(share)};
    }
    if (HasDrive(path)) return {std::string(path.substr(0, 2)), path.substr(2)};
    if (!path.empty() && IsSeparator(path[0])) return {"\\", path.substr(1)};
    return {"", path};
}

// Resolves the components of a path; false when ".." climbs above its start.
bool ResolveComponents(std::string_view rest, std::vector<std::string>& out) {
    for (const std::string_view component : SplitComponents(rest)) {
        if (component.empty()) continue;
        if (IsDotsAndBlanks(component)) {
            const std::size_t dots = DotCount(component);
            if (dots >= 2) {
                if (out.empty()) return false;
                out.pop_back();
            }
            // "." and names of blanks alone name the folder itself.
            continue;
        }
        out.emplace_back(WithoutTrailingDotsAndBlanks(component));
    }
    return true;
}

bool IsReservedDeviceBase(const std::string& base) {
    static const char* const kNames[] = {"CON", "PRN", "AUX", "NUL", "CLOCK$", "CONIN$", "CONOUT$"};
    for (const char* name : kNames) {
        if (base == name) return true;
    }
    if (base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0)) {
        const unsigned char digit = static_cast<unsigned char>(base[3]);
        // Windows also reserves the superscript digits 1, 2 and 3 of Windows-1252.
        return (digit >= '1' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
    }
    return false;
}

}  // namespace

const char* PathFaultText(PathFault fault) {
    switch (fault) {
        case PathFault::None: return "is safe";
        case PathFault::Empty: return "is empty or blank";
        case PathFault::UpLevel: return "climbs out with \"..\"";
        case PathFault::CurrentFolder: return "has a \".\" component";
        case PathFault::Drive: return "names a drive";
        case PathFault::Network: return "is a network or device path";
        case PathFault::Rooted: return "starts at the drive root";
        case PathFault::NotAbsolute: return "has no drive";
        case PathFault::Stream: return "has \":\" inside a name";
        case PathFault::Device: return "is a device name";
        case PathFault::BadCharacter: return "has a character Windows refuses in names";
        case PathFault::TooLong: return "is too long";
    }
    return "is unsafe";
}

bool IsDeviceName(std::string_view name) {
    std::string_view base = WithoutTrailingDotsAndBlanks(name);
    base = base.substr(0, std::min(base.find('.'), base.size()));
    while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
    if (base.size() > 7) return false;
    return IsReservedDeviceBase(UpperCaseAscii(base));
}

PathFault FindNameFault(std::string_view name) {
    if (name.size() > kMaxNameLength) return PathFault::TooLong;
    for (const char c : name) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 32 || c == '<' || c == '>' || c == '|' || c == '"' || c == '?' || c == '*') {
            return PathFault::BadCharacter;
        }
        if (c == ':') return PathFault::Stream;
    }
    if (IsDotsAndBlanks(name)) {
        if (name == ".") return PathFault::CurrentFolder;
        return DotCount(name) >= 2 ? PathFault::UpLevel : PathFault::Empty;
    }
    if (IsDeviceName(name)) return PathFault::Device;
    return PathFault::None;
}

PathFault FindPathFault(std::string_view path, PathForm form) {
    if (path.empty()) return PathFault::Empty;
    if (path.size() > kMaxPathLength) return PathFault::TooLong;
    std::string_view rest = path;
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        if (form != PathForm::Absolute) return PathFault::Network;
        // "\\?\" and "\\.\" open the device namespace; "\\server\share" needs both names.
        const SplitPath split = SplitStart(path);
        const std::vector<std::string_view> names = SplitComponents(std::string_view(split.start).substr(2));
        if (names.size() != 2 || names[0].empty() || names[1].empty()) return PathFault::Network;
        for (const std::string_view name : names) {
            if (name == "?" || IsDotsAndBlanks(name)) return PathFault::Network;
            if (const PathFault fault = FindNameFault(name); fault != PathFault::None) return fault;
        }
        rest = split.rest;
    } else if (HasDrive(path)) {
        if (form != PathForm::Absolute) return PathFault::Drive;
        // "C:name" is relative to the drive's current folder.
        if (path.size() > 2 && !IsSeparator(path[2])) return PathFault::NotAbsolute;
        rest = path.substr(2);
    } else if (IsSeparator(path[0])) {
        if (form == PathForm::Relative) return PathFault::Rooted;
        if (form == PathForm::Absolute) return PathFault::NotAbsolute;
    } else if (form == PathForm::Absolute) {
        return PathFault::NotAbsolute;
    }
    bool anyName = false;
    for (const std::string_view component : SplitComponents(rest)) {
        if (component.empty()) continue;
        if (const PathFault fault = FindNameFault(component); fault != PathFault::None) return fault;
        anyName = true;
    }
    if (!anyName && form != PathForm::Absolute) return PathFault::Empty;
    return PathFault::None;
}

EUnsafePath::EUnsafePath(const std::string& path, PathFault fault)
    : Exception("Unsafe path \"" + path + "\": " + PathFaultText(fault)), Fault(fault) {}

void CheckPath(std::string_view path, PathForm form) {
    if (const PathFault fault = FindPathFault(path, form); fault != PathFault::None) {
        throw EUnsafePath(std::string(path), fault);
    }
}

std::string ResolvePath(std::string_view path) {
    const SplitPath split = SplitStart(path);
    std::vector<std::string> components;
    if (!ResolveComponents(split.rest, components)) return "";
    std::string resolved = split.start;
    if (HasDrive(resolved) && (split.rest.empty() || IsSeparator(split.rest[0]))) resolved += '\\';
    for (std::size_t i = 0; i < components.size(); ++i) {
        if (i > 0 || (!resolved.empty() && resolved.back() != '\\')) resolved += '\\';
        resolved += components[i];
    }
    if (!components.empty() && IsSeparator(path.back())) resolved += '\\';
    return resolved;
}

bool PathLiesInside(std::string_view path, std::string_view folder) {
    const SplitPath inner = SplitStart(path);
    const SplitPath outer = SplitStart(folder);
    if (!SameTextAscii(inner.start, outer.start)) return false;
    std::vector<std::string> innerNames;
    std::vector<std::string> outerNames;
    if (!ResolveComponents(inner.rest, innerNames) || !ResolveComponents(outer.rest, outerNames)) return false;
    if (innerNames.size() < outerNames.size()) return false;
    for (std::size_t i = 0; i < outerNames.size(); ++i) {
        if (!SameTextAscii(innerNames[i], outerNames[i])) return false;
    }
    return true;
}

std::string JoinInside(std::string_view folder, std::string_view name) {
    CheckPath(name, PathForm::Relative);
    std::string joined = IncludeTrailingBackslash(folder);
    joined += name;
    std::replace(joined.begin(), joined.end(), '/', '\\');
    if (!PathLiesInside(joined, folder)) throw EUnsafePath(joined, PathFault::UpLevel);
    if (joined.size() > kMaxPathLength) throw EUnsafePath(joined, PathFault::TooLong);
    return joined;
}

}  // namespace tavlin
