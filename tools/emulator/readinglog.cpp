#include "readinglog.h"

#include "civiltime.h"

#include <cmath>
#include <numbers>

namespace emulator
{

namespace
{

constexpr int Sensors = 8;
// A cool store room and its neighbours: the curves stay inside the chart's fixed -20..20 axis.
constexpr double Base[4] = {16.5, 14.0, 17.5, 6.0};
constexpr double DailySwing = 2.5;
constexpr double DriftSwing = 0.8;
constexpr double DriftPeriodDays = 5.3;
constexpr double NoiseSwing = 0.15;

uint64_t splitMix(uint64_t x)
{
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

char* putTwoDigits(char* p, int value)
{
    *p++ = char('0' + value / 10 % 10);
    *p++ = char('0' + value % 10);
    return p;
}

// One decimal: 21.3, -0.4, 5.0 (or 21,3 with a decimal comma).
char* putTenths(char* p, double value, char decimalSeparator)
{
    long tenths = std::lround(value * 10.0);
    if (tenths < 0) {
        *p++ = '-';
        tenths = -tenths;
    }
    char digits[24];
    int n = 0;
    long whole = tenths / 10;
    do {
        digits[n++] = char('0' + whole % 10);
        whole /= 10;
    } while (whole > 0);
    while (n > 0)
        *p++ = digits[--n];
    *p++ = decimalSeparator;
    *p++ = char('0' + tenths % 10);
    return p;
}

char* putDateTime(char* p, int64_t seconds)
{
    const CivilTime t = CivilTime::fromSeconds(seconds);
    p = putTwoDigits(p, t.day);
    *p++ = '.';
    p = putTwoDigits(p, t.month);
    *p++ = '.';
    p = putTwoDigits(p, t.year % 100);
    *p++ = ';';
    p = putTwoDigits(p, t.hour);
    *p++ = ':';
    p = putTwoDigits(p, t.minute);
    *p++ = ':';
    p = putTwoDigits(p, t.second);
    *p++ = ';';
    return p;
}

} // namespace

ReadingLog::ReadingLog(const Shape& shape) : m_shape(shape), m_lineEnd(shape.crlf ? "\r\n" : "\n")
{
    // The rows are made once, so that sending them costs no more than a copy
    // and a download measures the client rather than this emulator.
    m_rowEnds.reserve(shape.rows);
    for (std::size_t i = 0; i < shape.rows; ++i) {
        makeRow(i, m_rows);
        m_rowEnds.push_back(m_rows.size());
    }
}

void ReadingLog::appendRow(std::size_t index, std::string& out) const
{
    if (index >= m_rowEnds.size()) {
        makeRow(index, out);
        return;
    }
    const std::size_t begin = index == 0 ? 0 : m_rowEnds[index - 1];
    out.append(m_rows, begin, m_rowEnds[index] - begin);
}

void ReadingLog::makeRow(std::size_t index, std::string& out) const
{
    const int64_t back = int64_t(m_shape.rows) - 1 - int64_t(index);
    const int64_t seconds = m_shape.lastSeconds - back * m_shape.interval;
    char row[160];
    char* p = putDateTime(row, seconds);
    for (int sensor = 0; sensor < Sensors; ++sensor) {
        if (sensor < m_shape.ports)
            p = putTenths(p, temperature(sensor, seconds), m_shape.decimalSeparator);
        *p++ = ';';
    }
    out.append(row, p);
    out += m_lineEnd;
}

// A daily swing peaking in the afternoon, a slow drift over days and a little
// noise; each sensor on its own base and phase.
double ReadingLog::temperature(int sensor, int64_t seconds) const
{
    constexpr double TwoPi = 2.0 * std::numbers::pi;
    const double days = double(seconds) / 86400.0;
    const double daily = DailySwing * std::sin(TwoPi * (days - 0.375) + 0.3 * sensor);
    const double drift = DriftSwing * std::sin(TwoPi * days / DriftPeriodDays + sensor);
    const uint64_t hash = splitMix(m_shape.seed ^ splitMix(uint64_t(seconds) * Sensors + uint64_t(sensor)));
    const double noise = NoiseSwing * (double(hash >> 11) / double(1ull << 53) * 2.0 - 1.0);
    return Base[sensor % 4] + daily + drift + noise;
}

} // namespace emulator
