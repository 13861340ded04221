// Parsing rules: a line whose text (blanks trimmed) starts with "[" and holds a "]"
// opens a section named by the text between them; any other line with "=" is a
// key line; everything else (blank lines, lines without "=") is left alone.
#include "platform/hosted/ini_document.h"

#include <map>

#include "platform/hosted/windows_text.h"

namespace tavlin::hosted {

namespace {

constexpr const char* kBlanks = " \t\r\n\v\f\x1a";

std::optional<std::string> sectionNameOf(const std::string& text) {
    const std::string trimmed = trimProfileBlanks(text);
    if (trimmed.empty() || trimmed[0] != '[') return std::nullopt;
    const auto close = trimmed.find(']');
    if (close == std::string::npos) return std::nullopt;
    return trimProfileBlanks(trimmed.substr(1, close - 1));
}

struct KeyLine {
    std::string key;
    std::string rawValue;
};

std::optional<KeyLine> keyLineOf(const std::string& text) {
    const auto equals = text.find('=');
    if (equals == std::string::npos || sectionNameOf(text)) return std::nullopt;
    return KeyLine{trimProfileBlanks(text.substr(0, equals)), text.substr(equals + 1)};
}

std::string unquoted(const std::string& raw) {
    std::string value = trimProfileBlanks(raw);
    if (value.size() > 1 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

std::string trimProfileBlanks(const std::string& text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

IniDocument::IniDocument(const std::string& bytes) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const auto newline = bytes.find('\n', pos);
        if (newline == std::string::npos) {
            lines_.push_back({bytes.substr(pos), {}});
            break;
        }
        std::size_t textEnd = newline;
        if (textEnd > pos && bytes[textEnd - 1] == '\r') --textEnd;
        lines_.push_back({bytes.substr(pos, textEnd - pos), bytes.substr(textEnd, newline + 1 - textEnd)});
        pos = newline + 1;
    }
}

std::string IniDocument::bytes() const {
    std::string out;
    for (const auto& line : lines_) out += line.text + line.end;
    return out;
}

std::optional<IniDocument::Range> IniDocument::findSection(const std::string& section) const {
    const std::string wanted = trimProfileBlanks(section);
    std::optional<Range> found;
    if (wanted.empty()) found = Range{0, 0};
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = sectionNameOf(lines_[i].text);
        if (!name) continue;
        if (found) {
            found->end = i;
            return found;
        }
        if (equalsIgnoringCase(*name, wanted)) found = Range{i + 1, i + 1};
    }
    if (found) found->end = lines_.size();
    return found;
}

std::optional<std::string> IniDocument::value(const std::string& section, const std::string& key) const {
    const auto range = findSection(section);
    if (!range) return std::nullopt;
    const std::string wanted = trimProfileBlanks(key);
    for (std::size_t i = range->begin; i < range->end; ++i) {
        const auto line = keyLineOf(lines_[i].text);
        if (line && equalsIgnoringCase(line->key, wanted)) return unquoted(line->rawValue);
    }
    return std::nullopt;
}

std::vector<std::string> IniDocument::keyNames(const std::string& section) const {
    std::vector<std::string> names;
    const auto range = findSection(section);
    if (!range) return names;
    for (std::size_t i = range->begin; i < range->end; ++i) {
        const auto line = keyLineOf(lines_[i].text);
        if (line && (line->key.empty() || line->key[0] != ';')) names.push_back(line->key);
    }
    return names;
}

bool IniDocument::set(const std::string& section, const std::string& key, const std::string& value) {
    return setAll(section, {{key, value}});
}

bool IniDocument::setAll(const std::string& section, const std::vector<std::pair<std::string, std::string>>& keys) {
    if (keys.empty()) return false;
    auto range = findSection(section);
    if (!range) {
        if (!lines_.empty() && lines_.back().end.empty()) lines_.back().end = "\r\n";
        lines_.push_back({"[" + section + "]", "\r\n"});
        range = Range{lines_.size(), lines_.size()};
    }

    // The first line of each key, and where new keys go: after the last key line;
    // in a section without keys after its last line that is not blank, so that
    // blank lines before the next section stay where they are.
    std::map<std::string, std::size_t> keyLines;
    std::optional<std::size_t> lastKey;
    for (std::size_t i = range->begin; i < range->end; ++i) {
        const auto line = keyLineOf(lines_[i].text);
        if (!line) continue;
        keyLines.emplace(upperWindows(line->key), i);
        lastKey = i;
    }
    std::size_t at = range->begin;
    if (lastKey) {
        at = *lastKey + 1;
    } else {
        for (std::size_t i = range->begin; i < range->end; ++i) {
            if (!trimProfileBlanks(lines_[i].text).empty()) at = i + 1;
        }
    }

    // A key's first line is rewritten in place unless it holds the value already.
    // New keys follow one another in the order given; one given twice keeps its
    // first place and its last value.
    const auto rewrite = [](Line& line, const std::string& text) {
        const auto key = keyLineOf(line.text);
        if (trimProfileBlanks(key->rawValue) == text) return false;
        line = {key->key + "=" + text, "\r\n"};
        return true;
    };
    bool changed = false;
    std::vector<Line> added;
    std::map<std::string, std::size_t> addedLines;
    for (const auto& [key, value] : keys) {
        const std::string name = trimProfileBlanks(key);
        const std::string text = trimProfileBlanks(value);
        const std::string upper = upperWindows(name);
        if (const auto there = keyLines.find(upper); there != keyLines.end()) {
            changed = rewrite(lines_[there->second], text) || changed;
        } else if (const auto made = addedLines.find(upper); made != addedLines.end()) {
            changed = rewrite(added[made->second], text) || changed;
        } else {
            addedLines.emplace(upper, added.size());
            added.push_back({name + "=" + text, "\r\n"});
            changed = true;
        }
    }
    if (!added.empty()) {
        if (at > 0 && lines_[at - 1].end.empty()) lines_[at - 1].end = "\r\n";
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), added.begin(), added.end());
    }
    return changed;
}

bool IniDocument::erase(const std::string& section, const std::string& key) {
    const auto range = findSection(section);
    if (!range) return false;
    const auto at = [](std::size_t index) { return static_cast<std::ptrdiff_t>(index); };
    if (trimProfileBlanks(key).empty()) {
        if (range->begin == 0) return false;  // the part before the first header is no section
        lines_.erase(lines_.begin() + at(range->begin - 1), lines_.begin() + at(range->end));
        return true;
    }
    const std::string wanted = trimProfileBlanks(key);
    bool erased = false;
    for (std::size_t i = range->end; i-- > range->begin;) {
        const auto line = keyLineOf(lines_[i].text);
        if (line && equalsIgnoringCase(line->key, wanted)) {
            lines_.erase(lines_.begin() + at(i));
            erased = true;
        }
    }
    return erased;
}

}  // namespace tavlin::hosted
