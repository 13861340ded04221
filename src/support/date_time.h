// Date-time values as the setup compares and shows them: days since 1899-12-30
// with the time of day as the fraction; 0 stands for "no date".
#pragma once

#include <cstdint>

#include "platform/clock.h"

namespace tavlin {

using TDateTime = double;

TDateTime EncodeDateTime(const LocalTime& time);
LocalTime DecodeDateTime(TDateTime value);
// An MS-DOS date and time (date in the high 16 bits) as a date-time value.
TDateTime DosDateTimeToDateTime(std::uint32_t dosDateTime);
// A local time as an MS-DOS date and time (2-second resolution).
std::uint32_t LocalTimeToDosDateTime(const LocalTime& time);

}  // namespace tavlin
