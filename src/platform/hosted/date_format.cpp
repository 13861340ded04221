// The pattern is scanned once; each code is the longest run of one letter.
#include "platform/hosted/date_format.h"

#include <chrono>
#include <cstdio>
#include <string_view>

#include "platform/hosted/windows_text.h"

namespace tavlin::hosted {

namespace {

constexpr const char* kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};
constexpr const char* kDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

bool startsWithIgnoringCase(std::string_view text, std::size_t pos, std::string_view prefix) {
    return text.size() - pos >= prefix.size() && equalsIgnoringCase(text.substr(pos, prefix.size()), prefix);
}

std::string number(int value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*d", digits, value);
    return text;
}

unsigned weekdayOf(const LocalTime& time) {
    const std::chrono::year_month_day date{std::chrono::year{time.year},
                                           std::chrono::month{static_cast<unsigned>(time.month)},
                                           std::chrono::day{static_cast<unsigned>(time.day)}};
    return std::chrono::weekday{std::chrono::sys_days{date}}.c_encoding();
}

bool hasAmPmMarker(std::string_view pattern) {
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (startsWithIgnoringCase(pattern, i, "am/pm") || startsWithIgnoringCase(pattern, i, "a/p") ||
            startsWithIgnoringCase(pattern, i, "ampm") || startsWithIgnoringCase(pattern, i, "tt")) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::string formatDateTime(const std::string& pattern, const LocalTime& time) {
    const bool twelveHours = hasAmPmMarker(pattern);
    const bool afternoon = time.hour >= 12;
    std::string out;
    bool afterHour = false;
    std::size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        if (c == '"' || c == '\'') {
            const auto close = pattern.find(c, i + 1);
            const std::size_t end = close == std::string::npos ? pattern.size() : close;
            out += pattern.substr(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        if (startsWithIgnoringCase(pattern, i, "am/pm")) {
            const bool lower = pattern[i] == 'a';
            out += afternoon ? (lower ? "pm" : "PM") : (lower ? "am" : "AM");
            i += 5;
            continue;
        }
        if (startsWithIgnoringCase(pattern, i, "a/p")) {
            const bool lower = pattern[i] == 'a';
            out += afternoon ? (lower ? "p" : "P") : (lower ? "a" : "A");
            i += 3;
            continue;
        }
        if (startsWithIgnoringCase(pattern, i, "ampm") || startsWithIgnoringCase(pattern, i, "tt")) {
            out += afternoon ? "PM" : "AM";
            i += startsWithIgnoringCase(pattern, i, "tt") ? 2 : 4;
            continue;
        }
        const char code = upperWindowsChar(c);
        std::size_t run = 1;
        while (i + run < pattern.size() && upperWindowsChar(pattern[i + run]) == code) ++run;
        switch (code) {
            case 'D':
                if (run == 1 || run == 2) out += number(time.day, static_cast<int>(run));
                if (run == 3) out += std::string(kDays[weekdayOf(time)]).substr(0, 3);
                if (run >= 4) out += kDays[weekdayOf(time)];
                break;
            case 'M':
                if (afterHour && run <= 2) {
                    out += number(time.minute, static_cast<int>(run));
                } else if (run <= 2) {
                    out += number(time.month, static_cast<int>(run));
                } else {
                    const std::string name = kMonths[(time.month + 11) % 12];
                    out += run == 3 ? name.substr(0, 3) : name;
                }
                break;
            case 'N': out += number(time.minute, run >= 2 ? 2 : 1); break;
            case 'Y': out += run <= 2 ? number(time.year % 100, static_cast<int>(run)) : number(time.year, 4); break;
            case 'H': {
                int hour = time.hour;
                if (twelveHours) hour = hour % 12 == 0 ? 12 : hour % 12;
                out += number(hour, run >= 2 ? 2 : 1);
                break;
            }
            case 'S': out += number(time.second, run >= 2 ? 2 : 1); break;
            default: out.append(run, c); break;
        }
        // Literal text between an hour and "mm" keeps the minutes reading.
        if (code == 'H') afterHour = true;
        if (code == 'D' || code == 'M' || code == 'N' || code == 'Y' || code == 'S') afterHour = false;
        i += run;
    }
    return out;
}

std::optional<LocalTime> parseLocalTime(const std::string& text) {
    LocalTime time;
    char extra = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &time.year, &time.month, &time.day, &time.hour,
                    &time.minute, &time.second, &extra) != 6) {
        return std::nullopt;
    }
    if (time.month < 1 || time.month > 12 || time.day < 1 || time.day > 31 || time.hour > 23 || time.minute > 59 ||
        time.second > 59) {
        return std::nullopt;
    }
    return time;
}

}  // namespace tavlin::hosted
