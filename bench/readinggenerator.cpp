#include "readinggenerator.h"

#include <chrono>
#include <cstdlib>

namespace
{

using namespace std::chrono;

constexpr sys_seconds kStart = sys_days{year{2008} / April / 30} + hours{13} + minutes{39} + seconds{53};

void appendTwoDigits(std::string& out, long long value)
{
    out.push_back(char('0' + value / 10 % 10));
    out.push_back(char('0' + value % 10));
}

void appendTenths(std::string& out, int tenths, char decimalSeparator)
{
    if (tenths < 0)
        out.push_back('-');
    const int size = std::abs(tenths);
    if (size >= 100)
        out.push_back(char('0' + size / 100));
    out.push_back(char('0' + size / 10 % 10));
    out.push_back(decimalSeparator);
    out.push_back(char('0' + size % 10));
}

ReadingGenerator::Day dayOf(sys_days day)
{
    const year_month_day date{day};
    return {int(unsigned(date.day())), int(unsigned(date.month())), int(date.year())};
}

} // namespace

std::string ReadingGenerator::stream(int rows) const
{
    std::string out;
    out.reserve(std::size_t(rows) * 44);
    for (long long row = 0; row < rows; ++row) {
        appendDateTime(out, row);
        for (int sensor = 0; sensor < 4; ++sensor) {
            appendTenths(out, tenths(row, sensor), '.');
            out.push_back(';');
        }
        out.append(";;;;\n");
    }
    return out;
}

std::string ReadingGenerator::file(int rows, char decimalSeparator) const
{
    std::string out = "Datum;\xC8"
                      "as;T1;T2;T3;T4;T5;T6;T7;T8;;\r\n";
    out.reserve(out.size() + std::size_t(rows) * 64);
    for (long long row = 0; row < rows; ++row) {
        appendDateTime(out, row);
        for (int sensor = 0; sensor < 8; ++sensor) {
            appendTenths(out, tenths(row, sensor), decimalSeparator);
            out.push_back(';');
        }
        out.append(";\r\n");
    }
    return out;
}

std::vector<double> ReadingGenerator::values(int rows) const
{
    std::vector<double> out(static_cast<std::size_t>(rows));
    for (int row = 0; row < rows; ++row)
        out[std::size_t(row)] = tenths(row, 0) / 10.0;
    return out;
}

ReadingGenerator::Day ReadingGenerator::firstDay() const
{
    return dayOf(floor<days>(kStart));
}

ReadingGenerator::Day ReadingGenerator::dayAfterLast(int rows) const
{
    const sys_seconds last = kStart + seconds{(long long)m_interval * (rows - 1)};
    return dayOf(floor<days>(last) + days{1});
}

// "dd.mm.yy;hh:mm:ss;"
void ReadingGenerator::appendDateTime(std::string& out, long long row) const
{
    const sys_seconds at = kStart + seconds{row * m_interval};
    const sys_days day = floor<days>(at);
    const year_month_day date{day};
    const hh_mm_ss time{at - day};
    appendTwoDigits(out, unsigned(date.day()));
    out.push_back('.');
    appendTwoDigits(out, unsigned(date.month()));
    out.push_back('.');
    appendTwoDigits(out, int(date.year()) % 100);
    out.push_back(';');
    appendTwoDigits(out, time.hours().count());
    out.push_back(':');
    appendTwoDigits(out, time.minutes().count());
    out.push_back(':');
    appendTwoDigits(out, time.seconds().count());
    out.push_back(';');
}

// A slow triangle between -15.0 and 25.0 per sensor, shifted apart, plus a
// jitter of up to half a degree.
int ReadingGenerator::tenths(long long row, int sensor)
{
    const long long phase = (row / 10 + sensor * 97) % 800;
    const long long triangle = phase < 400 ? phase : 800 - phase;
    const long long jitter = (row * 7919 + sensor * 104729) % 11 - 5;
    return int(triangle - 150 + jitter);
}
