// Name comparison and name safety for archive members.
#include "compress/member_names.h"

#include <algorithm>

#include "compress/compress_errors.h"
#include "support/text.h"

namespace tavlin {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// "..", "...", ". ." and the like: Windows drops trailing dots and blanks, so all
// of them climb one level.
bool IsUpLevelComponent(const std::string& component) {
    const auto dots = std::count(component.begin(), component.end(), '.');
    return dots >= 2 && std::all_of(component.begin(), component.end(), [](char c) { return c == '.' || c == ' '; });
}

}  // namespace

bool SameMemberName(const std::string& a, const std::string& b) { return SameTextAscii(a, b); }

bool IsRootedMemberName(const std::string& name) { return !name.empty() && name[0] == '\\'; }

bool IsUnsafeMemberName(const std::string& name) {
    if (name.find(':') != std::string::npos) return true;
    if (name.size() >= 2 && IsSeparator(name[0]) && IsSeparator(name[1])) return true;
    std::string component;
    for (const char c : name) {
        if (IsSeparator(c)) {
            if (IsUpLevelComponent(component)) return true;
            component.clear();
        } else {
            component.push_back(c);
        }
    }
    return IsUpLevelComponent(component);
}

void CheckMemberName(const std::string& name) {
    if (IsUnsafeMemberName(name)) throw EUnsafeMemberName(name);
}

}  // namespace tavlin
