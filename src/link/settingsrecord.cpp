#include "link/settingsrecord.h"

#include <algorithm>

SettingsRecord::Bytes SettingsRecord::toBytes() const
{
    Bytes bytes{day, month, year, hour, minute, second, ports, interval};
    for (std::size_t i = 0; i < limits.size(); ++i)
        bytes[8 + i] = static_cast<std::uint8_t>(limits[i]);
    return bytes;
}

SettingsRecord SettingsRecord::fromBytes(const std::uint8_t* bytes)
{
    SettingsRecord record;
    record.day = bytes[0];
    record.month = bytes[1];
    record.year = bytes[2];
    record.hour = bytes[3];
    record.minute = bytes[4];
    record.second = bytes[5];
    record.ports = bytes[6];
    record.interval = bytes[7];
    for (std::size_t i = 0; i < record.limits.size(); ++i)
        record.limits[i] = static_cast<std::int8_t>(bytes[8 + i]);
    return record;
}

std::uint8_t portsByteFromIndex(int itemIndex)
{
    if (itemIndex < 0 || itemIndex > 3)
        return 0;
    return static_cast<std::uint8_t>(itemIndex + 1);
}

int portsIndexFromByte(std::uint8_t byte)
{
    if (byte < 1 || byte > 4)
        return -1;
    return byte - 1;
}

std::uint8_t intervalSecondsFromIndex(int itemIndex)
{
    if (itemIndex < 0 || itemIndex >= static_cast<int>(kIntervalSeconds.size()))
        itemIndex = 0;
    return static_cast<std::uint8_t>(kIntervalSeconds[static_cast<std::size_t>(itemIndex)]);
}

std::optional<int> intervalIndexFromSeconds(int seconds)
{
    const auto* found = std::find(kIntervalSeconds.begin(), kIntervalSeconds.end(), seconds);
    if (found == kIntervalSeconds.end())
        return std::nullopt;
    return static_cast<int>(found - kIntervalSeconds.begin());
}

int clampLimit(int value)
{
    return std::clamp(value, kLimitMinimum, kLimitMaximum);
}

namespace
{
std::uint8_t lowByte(int value)
{
    return static_cast<std::uint8_t>(static_cast<unsigned>(value) & 0xFFu);
}
} // namespace

SettingsRecord makeSettingsRecord(const SettingsValues& values)
{
    SettingsRecord record;
    record.day = lowByte(values.day);
    record.month = lowByte(values.month);
    record.year = lowByte((values.year % 100 + 100) % 100);
    record.hour = lowByte(values.hour);
    record.minute = lowByte(values.minute);
    record.second = lowByte(values.second);
    record.ports = portsByteFromIndex(values.portsIndex);
    record.interval = intervalSecondsFromIndex(values.intervalIndex);
    for (std::size_t i = 0; i < record.limits.size(); ++i)
        record.limits[i] = static_cast<std::int8_t>(clampLimit(values.limits[i]));
    return record;
}
