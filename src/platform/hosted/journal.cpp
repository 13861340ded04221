// Journal lines on the host.
#include "platform/hosted/journal.h"

#include <cstdio>
#include <sstream>

#include "platform/hosted/state_files.h"
#include "platform/hosted/windows_text.h"

namespace tavlin::hosted {

void Journal::add(const std::string& line) {
    const std::string oneLine = escapeControls(line);
    if (file_.empty()) {
        memory_.push_back(oneLine);
        return;
    }
    appendHostFile(file_, utf8FromWindows(oneLine) + "\n");
}

std::vector<std::string> Journal::lines() const {
    if (file_.empty()) return memory_;
    std::vector<std::string> out;
    const auto bytes = readHostFile(file_);
    if (!bytes) return out;
    std::istringstream in(*bytes);
    std::string line;
    while (std::getline(in, line)) out.push_back(windowsFromUtf8(line));
    return out;
}

std::string journalQuote(const std::string& text) { return "\"" + escapeControls(text) + "\""; }

std::string escapeControls(const std::string& text) {
    std::string out;
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (b < 0x20 || b == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", b);
            out += escape;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace tavlin::hosted
