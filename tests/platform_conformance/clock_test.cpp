// The clock as the log and the screen show it: the local moment and its long date
// and short time.
#include "platform_conformance/conformance_fixture.h"

namespace tavlin::conformance {
namespace {

class ClockRules : public PlatformTest {};

TEST_F(ClockRules, TheMomentIsAPlausibleLocalTime) {
    const LocalTime now = platform().clock().now();
    EXPECT_GE(now.year, 2020);
    EXPECT_TRUE(now.month >= 1 && now.month <= 12);
    EXPECT_TRUE(now.day >= 1 && now.day <= 31);
    EXPECT_TRUE(now.hour >= 0 && now.hour <= 23);
    EXPECT_TRUE(now.minute >= 0 && now.minute <= 59);
    EXPECT_TRUE(now.second >= 0 && now.second <= 59);
}

TEST_F(ClockRules, TheLongDateAndShortTimeShowYearAndMinutesButNoSeconds) {
    const std::string text = platform().clock().formatLongDateShortTime(LocalTime{2001, 2, 3, 4, 17, 39});
    EXPECT_NE(text.find("2001"), std::string::npos) << text;
    EXPECT_NE(text.find("17"), std::string::npos) << text;
    EXPECT_EQ(text.find("39"), std::string::npos) << text;
}

}  // namespace
}  // namespace tavlin::conformance
