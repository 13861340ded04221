// The basis-name and numeric-tail rules for short names.
#include "platform/hosted/short_name.h"

#include <algorithm>
#include <string>

#include "platform/hosted/windows_text.h"

namespace tavlin::hosted {

namespace {

constexpr std::string_view kNotInShortNames = "+,;=[]\"*/:<>?\\|";

bool allowedInShortName(char c) {
    return static_cast<unsigned char>(c) >= 0x20 && c != ' ' && c != '.' &&
           kNotInShortNames.find(c) == std::string_view::npos;
}

// Upper-cases, drops blanks and dots, and writes "_" for the characters that a
// short name cannot hold.
std::string basisPart(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == ' ' || c == '.') continue;
        out += allowedInShortName(c) ? upperWindowsChar(c) : '_';
    }
    return out;
}

}  // namespace

bool fitsShortName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    const auto dot = name.find('.');
    const std::string_view base = name.substr(0, dot);
    const std::string_view extension = dot == std::string_view::npos ? std::string_view{} : name.substr(dot + 1);
    if (base.empty() || base.size() > 8 || extension.size() > 3) return false;
    if (dot != std::string_view::npos && extension.empty()) return false;
    for (const char c : base) {
        if (!allowedInShortName(c)) return false;
    }
    for (const char c : extension) {
        if (!allowedInShortName(c)) return false;
    }
    return true;
}

namespace {

// The basis and extension that the candidates are made of.
std::pair<std::string, std::string> basisOf(std::string_view longName) {
    // Leading dots do not start an extension (".profile" is PROFIL~1).
    std::string_view name = longName;
    while (!name.empty() && name.front() == '.') name.remove_prefix(1);
    const auto dot = name.rfind('.');
    std::string base = basisPart(name.substr(0, dot));
    std::string extension = dot == std::string_view::npos ? std::string{} : basisPart(name.substr(dot + 1));
    if (base.empty()) base = "_";
    if (base.size() > 6) base.resize(6);
    if (extension.size() > 3) extension.resize(3);
    return {base, extension};
}

}  // namespace

std::string makeShortName(std::string_view longName, const std::function<bool(const std::string&)>& taken,
                          unsigned& firstNumber) {
    const auto [base, extension] = basisOf(longName);
    for (unsigned number = std::max(firstNumber, 1u);; ++number) {
        const std::string tail = "~" + std::to_string(number);
        std::string candidate = base.substr(0, std::min(base.size(), 8 - tail.size())) + tail;
        if (!extension.empty()) candidate += "." + extension;
        if (!taken(candidate)) {
            firstNumber = number + 1;
            return candidate;
        }
    }
}

std::string makeShortName(std::string_view longName, const std::function<bool(const std::string&)>& taken) {
    unsigned firstNumber = 1;
    return makeShortName(longName, taken, firstNumber);
}

std::string shortNameSequence(std::string_view longName) {
    const auto [base, extension] = basisOf(longName);
    return base + "." + extension;
}

}  // namespace tavlin::hosted
