// DOS times become the moments mktime gives for them, in zones with a skipped and
// a repeated hour and in one whose clocks move by half an hour, every hour of a
// year, near the changes at the minute.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/hosted/dos_time.h"

namespace tavlin::hosted {
namespace {

// Runs with TZ set to a zone, restoring the one before.
class ZoneScope {
public:
    explicit ZoneScope(const char* zone) {
        if (const char* old = std::getenv("TZ")) before_ = old;
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~ZoneScope() {
        if (before_) {
            ::setenv("TZ", before_->c_str(), 1);
        } else {
            ::unsetenv("TZ");
        }
        ::tzset();
    }

private:
    std::optional<std::string> before_;
};

std::uint32_t DosTime(int year, int month, int day, int hour, int minute, int second) {
    return static_cast<std::uint32_t>(((year - 1980) << 25) | (month << 21) | (day << 16) | (hour << 11) |
                                      (minute << 5) | (second / 2));
}

std::optional<std::time_t> MktimeOf(int year, int month, int day, int hour, int minute, int second) {
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    const std::time_t seconds = std::mktime(&local);
    if (seconds == static_cast<std::time_t>(-1) || local.tm_mday != day) return std::nullopt;
    return seconds;
}

TEST(DosTimeTest, MomentsAreThoseOfMktimeAllYearRound) {
    for (const char* zone : {"Europe/Berlin", "Australia/Lord_Howe", "America/Santiago", "UTC"}) {
        if (!std::filesystem::exists(std::filesystem::path("/usr/share/zoneinfo") / zone)) {
            ADD_FAILURE() << "time zone data missing: " << zone;
            continue;
        }
        SCOPED_TRACE(zone);
        const ZoneScope scope(zone);
        static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        int mismatches = 0;
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= kDays[month - 1]; ++day) {
                for (int hour = 0; hour < 24; ++hour) {
                    for (const int minute : {0, 14, 29, 30, 31, 59}) {
                        const auto expected = MktimeOf(2025, month, day, hour, minute, 58);
                        const auto got = hostTimeFromDos(DosTime(2025, month, day, hour, minute, 58));
                        if (got != expected && ++mismatches <= 5) {
                            ADD_FAILURE() << 2025 << "-" << month << "-" << day << " " << hour << ":" << minute;
                        }
                    }
                }
            }
        }
        EXPECT_EQ(mismatches, 0);
        // 29 February of a common year is no date; of a leap year it is.
        EXPECT_FALSE(hostTimeFromDos(DosTime(2025, 2, 29, 12, 0, 0)).has_value());
        EXPECT_EQ(hostTimeFromDos(DosTime(2024, 2, 29, 12, 0, 0)), MktimeOf(2024, 2, 29, 12, 0, 0));
    }
}

}  // namespace
}  // namespace tavlin::hosted
