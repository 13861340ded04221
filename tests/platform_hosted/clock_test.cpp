// The machine's clock and its locale patterns.
#include <gtest/gtest.h>

#include "machine_fixture.h"
#include "platform/hosted/date_format.h"

namespace tavlin::hosted::testing {
namespace {

TEST(DateFormatTest, PatternCodes) {
    const LocalTime morning{2024, 3, 4, 9, 5, 7};   // a Monday
    const LocalTime evening{1999, 12, 31, 23, 59, 58};  // a Friday
    const struct {
        const char* pattern;
        LocalTime time;
        const char* text;
    } cases[] = {
        {"dddd, MMMM d, yyyy", morning, "Monday, March 4, 2024"},
        {"h:mm AM/PM", morning, "9:05 AM"},
        {"h:mm AM/PM", evening, "11:59 PM"},
        {"hh:nn:ss", evening, "23:59:58"},
        {"HH:mm tt", LocalTime{2024, 1, 1, 0, 30, 0}, "12:30 AM"},
        {"ddd dd/mm/yy", morning, "Mon 04/03/24"},
        {"mmm d 'at' h:mm a/p", evening, "Dec 31 at 11:59 p"},
        {"d. mmmm yyyy", LocalTime{2024, 2, 29, 12, 0, 0}, "29. February 2024"},
        {"am/pm h", LocalTime{2024, 2, 29, 12, 0, 0}, "pm 12"},
    };
    for (const auto& c : cases) EXPECT_EQ(formatDateTime(c.pattern, c.time), c.text) << c.pattern;
}

using ClockTest = MachineTest;

TEST_F(ClockTest, FixedFromMachineIniOrFromTheTest) {
    writeHostFile(folder_ / "machine" / "machine.ini",
                  "[Locale]\nLongDate=yyyy-mm-dd\nShortTime=hh:nn\n[Clock]\nFixed=2001-02-03 04:05:06\n");
    auto machine = openMachine();
    const LocalTime now = machine->clock().now();
    EXPECT_EQ(machine->clock().formatLongDateShortTime(now), "2001-02-03 04:05");
    machine->setClock(LocalTime{2010, 10, 10, 22, 10, 0});
    EXPECT_EQ(machine->clock().formatLongDateShortTime(machine->clock().now()), "2010-10-10 22:10");
}

TEST_F(ClockTest, DefaultsAreTheUsEnglishLocaleAndTheHostClock) {
    auto machine = openMachine();
    EXPECT_EQ(machine->clock().formatLongDateShortTime(LocalTime{2024, 3, 4, 13, 7, 0}), "Monday, March 4, 2024 1:07 PM");
    const LocalTime now = machine->clock().now();
    EXPECT_GE(now.year, 2024);
    EXPECT_GE(now.month, 1);
    EXPECT_LE(now.month, 12);
}

}  // namespace
}  // namespace tavlin::hosted::testing
