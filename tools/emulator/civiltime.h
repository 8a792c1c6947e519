#pragma once

#include <cstdint>

namespace emulator
{

// A calendar date and time of day without a time zone. Seconds are counted
// from 1 Jan 1970 as if every day had 86400 of them, which lets the readings
// generator step through a million rows with integer arithmetic only.
struct CivilTime {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    static CivilTime fromSeconds(int64_t seconds);
    // Fields out of range (month 13, day 0, minute 75) roll over into the next field.
    int64_t toSeconds() const;

    // The computer's current local time, on the same scale as toSeconds().
    static int64_t localSecondsNow();
};

} // namespace emulator
