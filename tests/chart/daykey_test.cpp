#include "chart/daykey.h"

#include <gtest/gtest.h>

TEST(DayKey, twoDigitsForDayMonthAndYearOfTheCentury)
{
    const struct {
        int day, month, year;
        const char* key;
    } cases[] = {
        {30, 4, 2008, "30.04.08"}, {5, 1, 2010, "05.01.10"}, {31, 12, 1999, "31.12.99"},
        {1, 1, 2000, "01.01.00"},  {1, 1, 1900, "01.01.00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dayKey(c.day, c.month, c.year), c.key);
}
