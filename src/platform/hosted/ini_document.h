// The text of an INI file as the profile functions read and change it. Lines are
// kept byte for byte with their own line ends; a change rewrites or inserts only
// the lines it concerns, and those end with CR LF.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tavlin::hosted {

class IniDocument {
public:
    explicit IniDocument(const std::string& bytes);

    // The value after the first "=" of the key's first line in the section's first
    // occurrence, blanks around it removed and one pair of enclosing quotes dropped.
    std::optional<std::string> value(const std::string& section, const std::string& key) const;

    // The list GetPrivateProfileStringA gives for a section without a key: the key
    // names in file order, duplicates included, comment lines left out.
    std::vector<std::string> keyNames(const std::string& section) const;

    // Sets a key: its first line is rewritten in place, a new key goes after the last
    // key line of its section (after its last line that is not blank when it has no
    // keys), a new section to the end of the file. False when the key already holds
    // the value and nothing changed.
    bool set(const std::string& section, const std::string& key, const std::string& value);
    // set for each key in turn, with the section read once: a long list costs its
    // own length, not its length times the section's. False when nothing changed.
    bool setAll(const std::string& section, const std::vector<std::pair<std::string, std::string>>& keys);

    // Removes every line of the key in the section's first occurrence; with an
    // empty key the whole section, its header and body. False when nothing was there.
    bool erase(const std::string& section, const std::string& key);

    std::string bytes() const;

private:
    struct Line {
        std::string text;
        std::string end;  // the line's own line end; empty for a last line without one
    };
    // The first line of the section's body and the line after it; the section ""
    // is the part before the first section header.
    struct Range {
        std::size_t begin = 0, end = 0;
    };
    std::optional<Range> findSection(const std::string& section) const;

    std::vector<Line> lines_;
};

// Blanks that the profile functions trim around names and values.
std::string trimProfileBlanks(const std::string& text);

}  // namespace tavlin::hosted
