#include "civiltime.h"

#include <ctime>

namespace emulator
{

namespace
{

constexpr int64_t SecondsPerDay = 86400;

int64_t floorDiv(int64_t a, int64_t b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// Days since 1 Jan 1970 of a proleptic Gregorian date (H. Hinnant's algorithm).
int64_t daysFromCivil(int64_t y, int64_t m, int64_t d)
{
    y -= m <= 2;
    const int64_t era = floorDiv(y, 400);
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(int64_t z, CivilTime& t)
{
    z += 719468;
    const int64_t era = floorDiv(z, 146097);
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2));
}

} // namespace

CivilTime CivilTime::fromSeconds(int64_t seconds)
{
    CivilTime t;
    const int64_t days = floorDiv(seconds, SecondsPerDay);
    const int64_t rest = seconds - days * SecondsPerDay;
    civilFromDays(days, t);
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest / 60 % 60);
    t.second = static_cast<int>(rest % 60);
    return t;
}

int64_t CivilTime::toSeconds() const
{
    const int64_t months = int64_t(year) * 12 + (month - 1);
    const int64_t y = floorDiv(months, 12);
    const int64_t m = months - y * 12 + 1;
    const int64_t days = daysFromCivil(y, m, 1) + (day - 1);
    return days * SecondsPerDay + int64_t(hour) * 3600 + int64_t(minute) * 60 + second;
}

int64_t CivilTime::localSecondsNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return int64_t(now) + local.tm_gmtoff;
}

} // namespace emulator
