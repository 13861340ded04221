// Ordered lists of text lines that load from and save to text files: reading
// splits at CR, LF or CR LF; writing ends every line with CR LF.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavlin {

class FileSystem;

class StringList {
public:
    StringList() = default;
    StringList(std::initializer_list<std::string> lines) : lines_(lines) {}

    // Replaces the lines with those of a file; raises EFOpenError when it cannot be read.
    void LoadFromFile(FileSystem& files, const std::string& path);
    // Writes the lines to a file, replacing it; raises EFCreateError or EWriteError.
    void SaveToFile(FileSystem& files, const std::string& path) const;

    // Splits text into lines the way LoadFromFile does.
    void SetText(std::string_view text);
    // The lines, each followed by CR LF.
    std::string Text() const;

    std::size_t Count() const { return lines_.size(); }
    bool Empty() const { return lines_.empty(); }
    void Clear() { lines_.clear(); }
    void Add(std::string line) { lines_.push_back(std::move(line)); }
    const std::string& operator[](std::size_t index) const { return lines_.at(index); }
    std::string& operator[](std::size_t index) { return lines_.at(index); }

    const std::vector<std::string>& Lines() const { return lines_; }
    std::vector<std::string>& Lines() { return lines_; }
    auto begin() const { return lines_.begin(); }
    auto end() const { return lines_.end(); }

private:
    std::vector<std::string> lines_;
};

}  // namespace tavlin
