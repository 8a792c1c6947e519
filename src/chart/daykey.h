#pragma once

#include <string>

// The text that names one day in column 0 of the measurement table, e.g.
// 30 April 2008 gives "30.04.08". Eight characters for every valid date.
std::string dayKey(int day, int month, int year);
