#include "support/string_list.h"

#include "platform/file_system.h"

namespace tavlin {

void StringList::LoadFromFile(FileSystem& files, const std::string& path) {
    auto stream = files.openRead(path);
    std::string text;
    char buffer[8192];
    while (const std::size_t n = stream->read(buffer, sizeof buffer)) text.append(buffer, n);
    SetText(text);
}

void StringList::SaveToFile(FileSystem& files, const std::string& path) const {
    const std::string text = Text();
    auto stream = files.create(path);
    stream->writeBuffer(text.data(), text.size());
}

void StringList::SetText(std::string_view text) {
    lines_.clear();
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines_.emplace_back(text.substr(start));
            break;
        }
        lines_.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
}

std::string StringList::Text() const {
    std::string text;
    for (const auto& line : lines_) {
        text += line;
        text += "\r\n";
    }
    return text;
}

}  // namespace tavlin
