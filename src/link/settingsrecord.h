#pragma once

#include "link/protocol.h"

#include <array>
#include <cstdint>
#include <optional>

// The module's settings as one 16-byte record: its clock, the number of
// active ports, the measuring interval and the minimum and maximum alarm
// limits of T1 to T4 (T1 min, T1 max, T2 min, ... T4 max).
struct SettingsRecord {
    std::uint8_t day = 0;
    std::uint8_t month = 0;
    std::uint8_t year = 0; // year modulo 100
    std::uint8_t hour = 0;
    std::uint8_t minute = 0;
    std::uint8_t second = 0;
    std::uint8_t ports = 0;
    std::uint8_t interval = 0; // seconds
    std::array<std::int8_t, 8> limits{};

    using Bytes = std::array<std::uint8_t, protocol::kSettingsRecordLength>;
    Bytes toBytes() const;
    static SettingsRecord fromBytes(const std::uint8_t* bytes);

    bool operator==(const SettingsRecord&) const = default;
};

inline constexpr int kLimitMinimum = -40;
inline constexpr int kLimitMaximum = 40;
// The items of the interval list, in seconds, by item index.
inline constexpr std::array<int, 5> kIntervalSeconds{5, 10, 15, 20, 30};

// Ports list item index (0..3, -1 for no selection) to the record byte.
std::uint8_t portsByteFromIndex(int itemIndex);
// Record byte to ports list item index: 1..4 select items 0..3, any other
// byte gives -1 (no selection).
int portsIndexFromByte(std::uint8_t byte);

// Interval list item index to seconds. The list always has an item
// selected; an index outside it is taken as its first item.
std::uint8_t intervalSecondsFromIndex(int itemIndex);
// Seconds to interval list item index; nothing for a value that is not in
// the list, which leaves the selection unchanged.
std::optional<int> intervalIndexFromSeconds(int seconds);

int clampLimit(int value);

// The values the settings controls hold, as plain numbers.
struct SettingsValues {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 1;
    int minute = 0;
    int second = 0;
    int portsIndex = 0;
    int intervalIndex = 0;
    std::array<int, 8> limits{};
};

// Each field is the low 8 bits of its value; limits are first brought into
// -40..40, so that whatever a control yields, the byte is that of a limit.
SettingsRecord makeSettingsRecord(const SettingsValues& values);
