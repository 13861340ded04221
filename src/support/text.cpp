#include "support/text.h"

namespace tavlin {

namespace {
char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }
}  // namespace

std::string UpperCaseAscii(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = UpperAscii(c);
    return result;
}

bool SameTextAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
    }
    return true;
}

std::string Trim(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return std::string(text.substr(begin, end - begin));
}

std::string TrimRight(std::string_view text) {
    std::size_t end = text.size();
    while (end > 0 && IsBlank(text[end - 1])) --end;
    return std::string(text.substr(0, end));
}

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }
bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }
bool EndsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

}  // namespace tavlin
