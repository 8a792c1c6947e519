#include "chart/daykey.h"

#include <cstdio>

std::string dayKey(int day, int month, int year)
{
    char text[40];
    const int n = std::snprintf(text, sizeof text, "%02d.%02d.%02d", day, month, year % 100);
    return std::string(text, n > 0 ? std::size_t(n) : 0);
}
