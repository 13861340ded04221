// The pacing of the message pump: which calls look at the queue, on a tick count
// that wraps around.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/pump_pacing.h"

namespace tavlin {
namespace {

struct PacingCase {
    const char* name;
    std::vector<std::uint32_t> calls;  // the tick count at each call
    std::vector<bool> looks;           // whether each call looks
};

class PumpPacingTest : public ::testing::TestWithParam<PacingCase> {};

TEST_P(PumpPacingTest, LooksOnTheFirstCallAndThenOncePerInterval) {
    const PacingCase& c = GetParam();
    PumpPacing pacing(10);
    std::vector<bool> looks;
    for (const std::uint32_t now : c.calls) looks.push_back(pacing.Due(now));
    EXPECT_EQ(looks, c.looks);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, PumpPacingTest,
    ::testing::Values(
        PacingCase{"FirstCallAtZero", {0}, {true}},
        PacingCase{"FirstCallLateInTheCount", {0xFFFFFFF0u}, {true}},
        PacingCase{"CallsWithinTheIntervalWait", {100, 100, 105, 109}, {true, false, false, false}},
        PacingCase{"IntervalCountsFromTheLastLook", {100, 110, 115, 119, 120}, {true, true, false, false, true}},
        PacingCase{"SkippedCallsDoNotRestartIt", {100, 104, 108, 112}, {true, false, false, true}},
        PacingCase{"LongPauseLooksAtOnce", {100, 5000}, {true, true}},
        PacingCase{"CountWrapsAround", {0xFFFFFFFAu, 0xFFFFFFFFu, 3, 4}, {true, false, false, true}}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace tavlin
