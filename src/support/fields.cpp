#include "support/fields.h"

namespace tavlin {

void SplitFirstField(std::string& text, char separator, std::string& field) {
    std::size_t at = text.find(separator);
    if (at == std::string::npos) {
        field = text;
        text.clear();
        return;
    }
    if (!text.empty() && text.front() == '"') {
        text.erase(0, 1);
        at = text.find('"');
        if (at == std::string::npos) {
            // An unclosed quote: the field is empty and the text loses only its quote.
            field.clear();
            return;
        }
        text.erase(at, 1);
    }
    field = text.substr(0, at);
    text.erase(0, at + 1);
}

void SplitLastField(std::string& text, char separator, std::string& field) {
    const std::size_t at = text.rfind(separator);
    if (at == std::string::npos) {
        field = text;
        text.clear();
        return;
    }
    field = text.substr(at + 1);
    text.erase(at);
}

}  // namespace tavlin
