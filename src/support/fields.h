// Cutting configuration lines into fields.
#pragma once

#include <string>

namespace tavlin {

// Cuts the first field off text at separator. A field that begins with a double
// quote runs to the next double quote and may hold the separator. Text without
// the separator is the whole field, quotes and all, and leaves text empty.
void SplitFirstField(std::string& text, char separator, std::string& field);

// Cuts the last field off text at separator: field is what follows the last
// separator and text keeps what precedes it. Without a separator the whole text
// is the field and text becomes empty.
void SplitLastField(std::string& text, char separator, std::string& field);

}  // namespace tavlin
