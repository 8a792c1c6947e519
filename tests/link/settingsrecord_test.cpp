#include "link/settingsrecord.h"

#include <gtest/gtest.h>

namespace
{

SettingsValues controlsAt(int year)
{
    SettingsValues values;
    values.year = year;
    values.month = 2;
    values.day = 29;
    values.hour = 23;
    values.minute = 59;
    values.second = 58;
    return values;
}

} // namespace

TEST(SettingsRecord, yearIsWrittenModuloHundred)
{
    struct Case {
        int year;
        std::uint8_t byte;
    };
    for (const Case c : {Case{2000, 0}, Case{2008, 8}, Case{1999, 99}, Case{2100, 0}}) {
        const auto bytes = makeSettingsRecord(controlsAt(c.year)).toBytes();
        EXPECT_EQ(bytes[2], c.byte) << c.year;
    }
}

TEST(SettingsRecord, writesFieldsInRecordOrder)
{
    SettingsValues values = controlsAt(2008);
    values.portsIndex = 3;
    values.intervalIndex = 4;
    values.limits = {-40, -1, 0, 1, 10, -10, 39, 40};
    const SettingsRecord::Bytes expected{29,   2,    8,    23,   59,   58,   4,    30,
                                         0xD8, 0xFF, 0x00, 0x01, 0x0A, 0xF6, 0x27, 0x28};
    EXPECT_EQ(makeSettingsRecord(values).toBytes(), expected);
}

TEST(SettingsRecord, limitOutsideRangeIsWrittenAsNearerBound)
{
    SettingsValues values = controlsAt(2008);
    values.limits = {-41, 41, -128, 127, 255, -1000, 0, 0};
    const auto bytes = makeSettingsRecord(values).toBytes();
    const std::array<std::uint8_t, 6> expected{0xD8, 0x28, 0xD8, 0x28, 0x28, 0xD8};
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), bytes.begin() + 8));
}

TEST(SettingsRecord, limitBytesReadAsSignedAndWriteBackUnchanged)
{
    SettingsRecord::Bytes bytes{};
    bytes.fill(0xF6);
    const SettingsRecord record = SettingsRecord::fromBytes(bytes.data());
    for (auto limit : record.limits)
        EXPECT_EQ(clampLimit(limit), -10);
    EXPECT_EQ(record.toBytes(), bytes);
}

TEST(SettingsRecord, limitByteBeyondRangeShowsNearerBound)
{
    EXPECT_EQ(clampLimit(static_cast<std::int8_t>(0x80)), -40);
    EXPECT_EQ(clampLimit(static_cast<std::int8_t>(0x7F)), 40);
    EXPECT_EQ(clampLimit(static_cast<std::int8_t>(0xD8)), -40);
}

TEST(SettingsRecord, portsMapBothWays)
{
    struct Case {
        std::uint8_t byte;
        int index;
    };
    for (const Case c : {Case{0, -1}, Case{1, 0}, Case{4, 3}, Case{5, -1}, Case{255, -1}})
        EXPECT_EQ(portsIndexFromByte(c.byte), c.index) << int(c.byte);
    EXPECT_EQ(portsByteFromIndex(-1), 0);
    EXPECT_EQ(portsByteFromIndex(0), 1);
    EXPECT_EQ(portsByteFromIndex(3), 4);
}

TEST(SettingsRecord, intervalMapsBothWaysAndUnknownSecondsLeaveSelection)
{
    for (int index = 0; index < 5; ++index)
        EXPECT_EQ(intervalIndexFromSeconds(intervalSecondsFromIndex(index)), index);
    EXPECT_EQ(intervalSecondsFromIndex(4), 30);
    EXPECT_EQ(intervalIndexFromSeconds(30), 4);
    for (int seconds : {0, 7, 25, 255})
        EXPECT_FALSE(intervalIndexFromSeconds(seconds).has_value()) << seconds;
}
