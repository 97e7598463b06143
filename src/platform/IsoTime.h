#pragma once

#include <string>

namespace psm {

// A local date and time and how far it is ahead of UTC.
struct LocalDateTime {
    int Year = 1970, Month = 1, Day = 1;
    int Hour = 0, Minute = 0, Second = 0;
    int OffsetMinutes = 0; // local time minus UTC
    int Millisecond = 0;
};

// ISO 8601 with the offset, to the second: 2026-12-07T16:30:05+01:00.
std::string IsoTimeText(const LocalDateTime& time);

// To the millisecond, without the offset: 2026-12-07 16:30:05.123.
std::string StampText(const LocalDateTime& time);

} // namespace psm
