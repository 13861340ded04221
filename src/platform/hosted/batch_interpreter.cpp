// Line by line: the command word is the leading run of letters, so "cd\" and
// "cd.." need no blank; names may be quoted; switches ("/q") are skipped.
#include "platform/hosted/batch_interpreter.h"

#include <cctype>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/hosted/wildcard.h"
#include "platform/hosted/windows_text.h"

namespace tavlin::hosted {

namespace {

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string> splitLines(const std::string& script) {
    std::vector<std::string> lines;
    std::string line;
    for (const char c : script) {
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

// The names of an argument: separated by blanks, quotes kept together, switches left out.
std::vector<std::string> namesOf(const std::string& argument) {
    std::vector<std::string> names;
    std::size_t i = 0;
    while (i < argument.size()) {
        while (i < argument.size() && (argument[i] == ' ' || argument[i] == '\t')) ++i;
        if (i == argument.size()) break;
        std::string name;
        bool quoted = false;
        for (; i < argument.size() && (quoted || (argument[i] != ' ' && argument[i] != '\t')); ++i) {
            if (argument[i] == '"') {
                quoted = !quoted;
            } else {
                name += argument[i];
            }
        }
        if (!name.empty() && name[0] != '/') names.push_back(name);
    }
    return names;
}

std::string unquoted(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c != '"') out += c;
    }
    return trimmed(out);
}

// Batch files write a literal "%" as "%%"; no variables are expanded here.
std::string withPercentSigns(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '%') ++i;
    }
    return out;
}

// The first name of text (quoted or not) and the rest after it.
std::pair<std::string, std::string> firstName(const std::string& text) {
    const std::string rest = trimmed(text);
    std::size_t i = 0;
    bool quoted = false;
    std::string name;
    for (; i < rest.size() && (quoted || (rest[i] != ' ' && rest[i] != '\t')); ++i) {
        if (rest[i] == '"') {
            quoted = !quoted;
        } else {
            name += rest[i];
        }
    }
    return {name, trimmed(rest.substr(i))};
}

}  // namespace

void BatchInterpreter::run(const std::string& script) {
    for (const auto& line : splitLines(script)) {
        if (!execute(line)) return;
    }
}

bool BatchInterpreter::execute(const std::string& raw) {
    std::string line = trimmed(withPercentSigns(raw));
    if (!line.empty() && line[0] == '@') line = trimmed(line.substr(1));
    if (line.empty()) return true;
    if (line.size() == 2 && line[1] == ':' && std::isalpha(static_cast<unsigned char>(line[0]))) {
        changeDrive(line[0]);
        return true;
    }
    std::size_t wordEnd = 0;
    while (wordEnd < line.size() && std::isalpha(static_cast<unsigned char>(line[wordEnd]))) ++wordEnd;
    const std::string word = upperWindows(line.substr(0, wordEnd));
    const std::string argument = trimmed(line.substr(wordEnd));
    if (word == "EXIT") return false;
    if (word == "CD" || word == "CHDIR") changeDirectory(argument);
    if (word == "DEL" || word == "ERASE") deleteFiles(argument);
    if (word == "RD" || word == "RMDIR") removeDirectories(argument);
    if (word == "IF") return conditional(argument);
    if (word == "REG") registryCommand(argument);
    // "rem" lines and commands a setup does not write do nothing here.
    return true;
}

void BatchInterpreter::changeDrive(char letter) {
    const std::string current = files_.currentDirectory();
    if (!current.empty()) driveFolders_[upperWindowsChar(current[0])] = current;
    const auto remembered = driveFolders_.find(upperWindowsChar(letter));
    const std::string target =
        remembered != driveFolders_.end() ? remembered->second : std::string(1, letter) + ":\\";
    files_.setCurrentDirectory(target);  // an unknown drive leaves the current one
}

void BatchInterpreter::changeDirectory(const std::string& argument) {
    std::string target = argument;
    if (target.rfind("/d", 0) == 0 || target.rfind("/D", 0) == 0) target = target.substr(2);
    target = unquoted(target);
    if (target.empty()) return;
    const std::string full = files_.fullPathName(target);
    const std::string current = files_.currentDirectory();
    if (full.empty() || current.empty()) return;
    if (upperWindowsChar(full[0]) == upperWindowsChar(current[0])) {
        files_.setCurrentDirectory(full);
    } else if (files_.directoryExists(full)) {
        // cd to another drive only sets that drive's folder for a later drive change.
        driveFolders_[upperWindowsChar(full[0])] = full;
    }
}

void BatchInterpreter::deleteFiles(const std::string& argument) {
    for (const auto& name : namesOf(argument)) {
        if (!hasWildcards(name)) {
            files_.deleteFile(name);
            continue;
        }
        const auto cut = name.find_last_of("\\/:");
        const std::string folder = cut == std::string::npos ? std::string() : name.substr(0, cut + 1);
        for (const auto& entry : files_.findAll(name)) {
            if ((entry.attributes & faDirectory) == 0) files_.deleteFile(folder + entry.name);
        }
    }
}

void BatchInterpreter::removeDirectories(const std::string& argument) {
    for (const auto& name : namesOf(argument)) files_.removeDirectory(name);
}

bool BatchInterpreter::conditional(const std::string& argument) {
    auto [word, rest] = firstName(argument);
    const bool negated = upperWindows(word) == "NOT";
    if (negated) std::tie(word, rest) = firstName(rest);
    if (upperWindows(word) != "EXIST") return true;  // other tests are not written by a setup
    const auto [name, command] = firstName(rest);
    if (files_.attributes(name).has_value() == negated) return true;
    return execute(command);
}

void BatchInterpreter::registryCommand(const std::string& argument) {
    auto [operation, rest] = firstName(argument);
    if (!registry_ || upperWindows(operation) != "DELETE") return;
    const auto [key, switches] = firstName(rest);
    // Only a whole key, asked for without a question; "/v" names a value and is not written by a setup.
    if (upperWindows(switches) != "/F") return;
    const auto cut = key.find('\\');
    if (cut == std::string::npos) return;
    const std::string root = upperWindows(key.substr(0, cut));
    const std::string path = key.substr(cut + 1);
    if (root == "HKLM" || root == "HKEY_LOCAL_MACHINE") registry_->deleteKeyTree(RegistryRoot::LocalMachine, path);
    if (root == "HKCU" || root == "HKEY_CURRENT_USER") registry_->deleteKeyTree(RegistryRoot::CurrentUser, path);
}

}  // namespace tavlin::hosted
