// An INI file read and written through the platform's profile functions, with
// the value rules the configuration relies on: values of at most 2047
// characters, integers in decimal or in hexadecimal after "$" or "0x", Booleans
// as integers, and the caller's default for a missing file or key.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/errors.h"

namespace tavlin {

class Platform;

// A key that the profile functions could not write: "Unable to write to %s".
class EIniFileException : public Exception {
public:
    using Exception::Exception;
};

// Decimal, or hexadecimal after "$" or "0x", with an optional sign; hexadecimal
// values up to FFFFFFFF wrap into the signed range. Nothing when the text is not
// a whole number.
std::optional<std::int32_t> ParseIniInteger(std::string_view text);

class IniFile {
public:
    IniFile(Platform& platform, std::string fileName);

    const std::string& FileName() const { return fileName_; }

    std::string ReadString(const std::string& section, const std::string& key, const std::string& defaultValue);
    std::int32_t ReadInteger(const std::string& section, const std::string& key, std::int32_t defaultValue);
    bool ReadBool(const std::string& section, const std::string& key, bool defaultValue);
    // Raises EIniFileException "Unable to write to <file>" when the key cannot be written.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    // Several keys of one section with empty values, as one change where the
    // platform can make it one; raises as WriteString does.
    void WriteEmptyKeys(const std::string& section, const std::vector<std::string>& keys);

    // The key names of a section through the profile functions, all of them however
    // many there are.
    std::vector<std::string> ReadKeyNames(const std::string& section);

    // A section read as an entry list: for every line of the section, in file order,
    // the text before the first "=" (the whole line when it has none) with blanks
    // around it removed, within a list of 16384 bytes. Blank lines and comment lines
    // (";") name no entry. Empty when the file or section is missing.
    std::vector<std::string> ReadSectionEntries(const std::string& section);
    // The same list with every line kept whole: a line such as "set dir=C:\x"
    // is one entry of the configuration, not a key and its value.
    std::vector<std::string> ReadSectionLines(const std::string& section);

private:
    std::vector<std::string> ReadSection(const std::string& section, bool wholeLines);

    Platform& platform_;
    std::string fileName_;
};

}  // namespace tavlin
