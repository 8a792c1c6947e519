#include "app/inifile.h"

#include <gtest/gtest.h>

namespace {

TEST(IniFile, readsKeysOfItsSectionOnlyIgnoringCase)
{
    const IniFile ini("[Other]\nIPAddress=9.9.9.9\n[settings]\n ipaddress = 1.2.3.4 \nGraphColor=12\n");
    EXPECT_EQ(ini.readString("Settings", "IPAddress"), "1.2.3.4");
    EXPECT_EQ(ini.readInteger("Settings", "GraphColor", 255), 12);
    EXPECT_FALSE(ini.readString("Settings", "Missing"));
    EXPECT_FALSE(ini.readString("Nowhere", "IPAddress"));
}

TEST(IniFile, writingAddsSectionAndKeysAndKeepsOtherLines)
{
    IniFile ini("; comment\r\n[A]\r\nx=1\r\n\r\n[Settings]\r\nIPAddress=old\r\n\r\n[B]\r\ny=2\r\n");
    ini.writeString("Settings", "IPAddress", "new");
    ini.writeInteger("Settings", "GraphColor", -2147483633);
    ini.writeString("Fresh", "k", "v");
    EXPECT_EQ(ini.text(), "; comment\r\n[A]\r\nx=1\r\n\r\n[Settings]\r\nIPAddress=new\r\nGraphColor=-2147483633\r\n"
                          "\r\n[B]\r\ny=2\r\n\r\n[Fresh]\r\nk=v\r\n");
}

TEST(IniFile, integersAreSigned32BitDecimalOrHex)
{
    struct Case {
        const char* text;
        std::optional<int> value;
    } cases[] = {{"255", 255},          {"-2147483633", -2147483633}, {" 16711680 ", 16711680},
                 {"$FF", 255},          {"0x8000000F", -2147483633},  {"2147483648", std::nullopt},
                 {"-2147483649", std::nullopt}, {"12abc", std::nullopt}, {"", std::nullopt},
                 {"--1", std::nullopt}, {"99999999999999999999", std::nullopt}};
    for (const auto& c : cases)
        EXPECT_EQ(parseIniInteger(c.text), c.value) << c.text;
}

} // namespace
