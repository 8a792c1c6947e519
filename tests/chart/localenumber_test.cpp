#include "chart/localenumber.h"

#include <gtest/gtest.h>
#include <ostream>

namespace
{

struct NumberCase {
    const char* text;
    std::optional<double> withComma; // decimal separator ','
    std::optional<double> withStop;  // decimal separator '.'
};

void PrintTo(const NumberCase& c, std::ostream* os)
{
    *os << '"' << c.text << '"';
}

const std::nullopt_t no = std::nullopt;

const NumberCase kNumbers[] = {
    {"21,5", 21.5, no},     {"21.5", no, 21.5},      {"-3", -3.0, -3.0},   {"+7", 7.0, 7.0},
    {"  4,25  ", 4.25, no}, {"1e3", 1000.0, 1000.0}, {"2,5E-1", 0.25, no}, {"1.5e+2", no, 150.0},
    {"5,", 5.0, no},        {",5", 0.5, no},         {"0", 0.0, 0.0},      {"", no, no},
    {"   ", no, no},        {",", no, no},           {"-", no, no},        {"abc", no, no},
    {"21,5x", no, no},      {"1,2,3", no, no},       {"1.234,5", no, no},  {"1 234", no, no},
    {"- 3", no, no},        {"1e", no, no},          {"e5", no, no},       {"\t1", no, no},
    {"0x10", no, no},       {"inf", no, no},         {"nan", no, no},      {"1e999", no, no},
};

class LocaleNumberTest : public testing::TestWithParam<NumberCase>
{
};

TEST_P(LocaleNumberTest, readsOnlyTheGivenDecimalSeparator)
{
    const NumberCase& c = GetParam();
    EXPECT_EQ(LocaleNumber::parse(c.text, ','), c.withComma);
    EXPECT_EQ(LocaleNumber::parse(c.text, '.'), c.withStop);
}

INSTANTIATE_TEST_SUITE_P(Cases, LocaleNumberTest, testing::ValuesIn(kNumbers));

} // namespace
