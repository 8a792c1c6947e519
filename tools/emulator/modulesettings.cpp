#include "modulesettings.h"

#include "civiltime.h"

#include <cstdio>

namespace emulator
{

namespace
{

enum Offset { Day, Month, Year, Hour, Minute, Second, Ports, Interval, Limits };

constexpr int8_t DefaultMinimum = -10;
constexpr int8_t DefaultMaximum = 30;

} // namespace

ModuleSettings::ModuleSettings(int64_t clockSeconds, int ports, int interval)
    : m_clockOffset(clockSeconds - CivilTime::localSecondsNow()), m_ports(uint8_t(ports)),
      m_interval(uint8_t(interval))
{
    for (std::size_t i = 0; i < m_limits.size(); i += 2) {
        m_limits[i] = uint8_t(DefaultMinimum);
        m_limits[i + 1] = uint8_t(DefaultMaximum);
    }
}

int64_t ModuleSettings::clockNow() const
{
    return CivilTime::localSecondsNow() + m_clockOffset;
}

ModuleSettings::Record ModuleSettings::record() const
{
    const CivilTime t = CivilTime::fromSeconds(clockNow());
    Record r{};
    r[Day] = uint8_t(t.day);
    r[Month] = uint8_t(t.month);
    r[Year] = uint8_t(t.year % 100);
    r[Hour] = uint8_t(t.hour);
    r[Minute] = uint8_t(t.minute);
    r[Second] = uint8_t(t.second);
    r[Ports] = m_ports;
    r[Interval] = m_interval;
    for (std::size_t i = 0; i < m_limits.size(); ++i)
        r[Limits + i] = m_limits[i];
    return r;
}

void ModuleSettings::apply(const Record& r)
{
    CivilTime t;
    t.day = r[Day];
    t.month = r[Month];
    t.year = 2000 + r[Year];
    t.hour = r[Hour];
    t.minute = r[Minute];
    t.second = r[Second];
    m_clockOffset = t.toSeconds() - CivilTime::localSecondsNow();
    m_ports = r[Ports];
    m_interval = r[Interval];
    for (std::size_t i = 0; i < m_limits.size(); ++i)
        m_limits[i] = r[Limits + i];
}

std::string ModuleSettings::describe(const Record& r)
{
    char text[160];
    int n = std::snprintf(text, sizeof text, "%02d.%02d.%02d %02d:%02d:%02d ports %d interval %d limits",
                          r[Day], r[Month], r[Year], r[Hour], r[Minute], r[Second], r[Ports], r[Interval]);
    for (std::size_t i = 0; i < 8 && n > 0 && std::size_t(n) < sizeof text; ++i)
        n += std::snprintf(text + n, sizeof text - n, " %d", int(int8_t(r[Limits + i])));
    return text;
}

} // namespace emulator
