// Date and time patterns as the user's locale settings give them, read with the
// run-time library's rules: d dd ddd dddd, m mm mmm mmmm (minutes right after an
// hour), n nn, y yy yyyy, h hh (12-hour when an AM/PM marker is present), s ss,
// AM/PM am/pm A/P a/p AMPM tt, and quoted literal text. Letter case of a code
// does not matter.
#pragma once

#include <optional>
#include <string>

#include "platform/clock.h"

namespace tavlin::hosted {

std::string formatDateTime(const std::string& pattern, const LocalTime& time);

// Reads "YYYY-MM-DD HH:MM:SS"; nothing for any other text.
std::optional<LocalTime> parseLocalTime(const std::string& text);

}  // namespace tavlin::hosted
