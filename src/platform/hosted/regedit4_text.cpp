// Every key is written, the empty ones too, each followed by a blank line, so
// that reading a written file and writing it again gives the same bytes. A text
// value with control characters (which the quoted form cannot hold) is written
// as hex(1) bytes with its terminating zero.
#include "platform/hosted/regedit4_text.h"

#include <cstdio>
#include <sstream>
#include <vector>

#include "platform/errors.h"
#include "platform/hosted/windows_text.h"

namespace tavlin::hosted {

namespace {

constexpr std::string_view kSignature = "REGEDIT4";

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out + "\"";
}

bool hasControlCharacters(const std::string& text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x20) return true;
    }
    return false;
}

std::string hexBytes(const std::string& bytes) {
    std::string out;
    char digits[4];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(digits, sizeof digits, "%02x", static_cast<unsigned char>(bytes[i]));
        if (i > 0) out += ',';
        out += digits;
    }
    return out;
}

std::string valueText(const RegistryValue& value) {
    if (value.type == regSz && !hasControlCharacters(value.data)) return quoted(value.data);
    if (const auto dword = dwordOf(value)) {
        char text[24];
        std::snprintf(text, sizeof text, "dword:%08x", *dword);
        return text;
    }
    if (value.type == regBinary) return "hex:" + hexBytes(value.data);
    char type[16];
    std::snprintf(type, sizeof type, "hex(%x):", value.type);
    // String types carry their terminating zero in this form.
    const bool text = value.type == regSz || value.type == regExpandSz;
    return type + hexBytes(text ? value.data + '\0' : value.data);
}

void writeKey(std::string& out, const RegistryKey& key, const std::string& path) {
    out += "[" + path + "]\n";
    for (const auto& value : key.values) {
        out += (value.name.empty() ? std::string("@") : quoted(value.name)) + "=" + valueText(value) + "\n";
    }
    out += "\n";
    for (const auto& [upper, child] : key.subkeys) writeKey(out, *child, path + "\\" + child->name);
}

class Parser {
public:
    explicit Parser(const std::string& text) {
        std::istringstream in(text);
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines_.push_back(line);
        }
    }

    RegistryTree parse() {
        RegistryTree tree;
        std::size_t index = 0;
        while (index < lines_.size() && lines_[index].empty()) ++index;
        if (index == lines_.size() || lines_[index] != kSignature) fail(index);
        RegistryKey* key = nullptr;
        for (++index; index < lines_.size(); ++index) {
            std::string line = lines_[index];
            if (line.empty() || line[0] == ';') continue;
            if (line[0] == '[') {
                key = keyOf(tree, line, index);
                continue;
            }
            if (!key) fail(index);
            const std::size_t first = index;
            // A hex list may go on over lines that end with "\".
            while (line.size() > 1 && line.back() == '\\' && line.find("=hex") != std::string::npos &&
                   index + 1 < lines_.size()) {
                line.pop_back();
                std::string next = lines_[++index];
                next.erase(0, next.find_first_not_of(" \t"));
                line += next;
            }
            readValue(*key, line, first);
        }
        return tree;
    }

private:
    [[noreturn]] static void fail(std::size_t index) {
        throw Exception("Invalid registry file: line " + std::to_string(index + 1));
    }

    static RegistryKey* keyOf(RegistryTree& tree, const std::string& line, std::size_t index) {
        const auto close = line.rfind(']');
        if (close == std::string::npos || close < 2) fail(index);
        const std::string path = line.substr(1, close - 1);
        const auto cut = path.find('\\');
        const std::string rootName = path.substr(0, cut);
        RegistryKey* key = nullptr;
        if (equalsIgnoringCase(rootName, tree.localMachine.name)) key = &tree.localMachine;
        if (equalsIgnoringCase(rootName, tree.currentUser.name)) key = &tree.currentUser;
        if (!key) fail(index);
        if (cut == std::string::npos) return key;
        const auto names = splitKeyPath(path.substr(cut + 1));
        if (!names) fail(index);
        for (const auto& name : *names) key = &key->createSubkey(name);
        return key;
    }

    // Reads a quoted text starting at pos (on its opening quote); pos ends after it.
    static std::string readQuoted(const std::string& line, std::size_t& pos, std::size_t index) {
        if (pos >= line.size() || line[pos] != '"') fail(index);
        std::string text;
        for (++pos; pos < line.size(); ++pos) {
            if (line[pos] == '\\' && pos + 1 < line.size()) {
                text += line[++pos];
            } else if (line[pos] == '"') {
                ++pos;
                return text;
            } else {
                text += line[pos];
            }
        }
        fail(index);
    }

    static std::string readHex(const std::string& list, std::size_t index) {
        std::string bytes;
        std::size_t pos = 0;
        while (pos < list.size()) {
            const auto comma = list.find(',', pos);
            std::string item = list.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos);
            item.erase(0, item.find_first_not_of(" \t"));
            item.erase(item.find_last_not_of(" \t") + 1);
            unsigned byte = 0;
            char extra = 0;
            if (item.size() != 2 || std::sscanf(item.c_str(), "%2x%c", &byte, &extra) != 1) fail(index);
            bytes += static_cast<char>(byte);
            if (comma == std::string::npos) break;
            pos = comma + 1;
        }
        return bytes;
    }

    static void readValue(RegistryKey& key, const std::string& line, std::size_t index) {
        std::size_t pos = 0;
        std::string name;
        if (!line.empty() && line[0] == '@') {
            pos = 1;
        } else {
            name = readQuoted(line, pos, index);
        }
        if (pos >= line.size() || line[pos] != '=') fail(index);
        ++pos;
        const std::string data = line.substr(pos);
        if (!data.empty() && data[0] == '"') {
            std::string text = readQuoted(line, pos, index);
            if (pos != line.size()) fail(index);
            key.setValue(name, regSz, std::move(text));
        } else if (data.rfind("dword:", 0) == 0) {
            unsigned value = 0;
            char extra = 0;
            if (data.size() != 14 || std::sscanf(data.c_str() + 6, "%8x%c", &value, &extra) != 1) fail(index);
            key.setValue(name, regDword, dwordBytes(value));
        } else if (data.rfind("hex:", 0) == 0) {
            key.setValue(name, regBinary, readHex(data.substr(4), index));
        } else if (data.rfind("hex(", 0) == 0) {
            const auto close = data.find("):");
            unsigned type = 0;
            if (close == std::string::npos || std::sscanf(data.c_str() + 4, "%x", &type) != 1) fail(index);
            std::string bytes = readHex(data.substr(close + 2), index);
            if ((type == regSz || type == regExpandSz) && !bytes.empty() && bytes.back() == '\0') bytes.pop_back();
            key.setValue(name, type, std::move(bytes));
        } else {
            fail(index);
        }
    }

    std::vector<std::string> lines_;
};

}  // namespace

std::string writeRegedit4(const RegistryTree& tree) {
    std::string out = std::string(kSignature) + "\n\n";
    writeKey(out, tree.localMachine, tree.localMachine.name);
    writeKey(out, tree.currentUser, tree.currentUser.name);
    return utf8FromWindows(out);
}

RegistryTree readRegedit4(const std::string& text) { return Parser(windowsFromUtf8(text)).parse(); }

}  // namespace tavlin::hosted
