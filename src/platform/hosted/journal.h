// The machine's journal: one plain line per outside effect that no file shows
// (programs started, restart requests, dialogs and their answers), appended to
// journal.log as it happens, or kept in memory for a machine without a folder.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tavlin::hosted {

class Journal {
public:
    explicit Journal(std::filesystem::path file) : file_(std::move(file)) {}

    // Adds a line of program text (Windows-1252); the file holds it as UTF-8.
    void add(const std::string& line);
    // Every line so far, earlier processes' lines included, as program text.
    std::vector<std::string> lines() const;

private:
    std::filesystem::path file_;
    std::vector<std::string> memory_;
};

// Control characters written as \r, \n, \t or \xNN, so that a journal line stays
// one line; nothing else is changed.
std::string escapeControls(const std::string& text);
// The text in double quotes, its control characters escaped.
std::string journalQuote(const std::string& text);

}  // namespace tavlin::hosted
