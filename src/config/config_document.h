// install.cfg read line by line, the way the setup's profile functions see it,
// but keeping every line's number so that findings can point at it. Section and
// key names compare without regard to letter case; the first section and the
// first key of a name are the ones the setup reads.
#pragma once

#include <string>
#include <vector>

namespace tavlin {

struct ConfigKey {
    int Line = 0;        // 1-based
    std::string Name;    // text before the first "=", blanks trimmed
    std::string Value;   // text after it, blanks and one pair of enclosing quotes removed
    bool HasEquals = false;
    std::string Text;    // the whole line, blanks around it removed
};

struct ConfigSection {
    int Line = 0;
    std::string Name;
    // Every line of the section that is not blank and not a ";" comment, in order.
    // For key lines Name/Value are the key and value; read as an entry list, an
    // entry is Name (the text before the first "=", or the whole line).
    std::vector<ConfigKey> Lines;
};

class ConfigDocument {
public:
    explicit ConfigDocument(const std::vector<std::string>& lines);

    const std::vector<ConfigSection>& Sections() const { return sections_; }
    // The first section of that name; nullptr when there is none.
    const ConfigSection* Section(const std::string& name) const;
    // The first key of that name in the first section of that name.
    const ConfigKey* Key(const std::string& section, const std::string& key) const;

private:
    std::vector<ConfigSection> sections_;
};

}  // namespace tavlin
