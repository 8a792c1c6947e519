// The block summary gives what a walk over the readings gives, for runs of
// every length and position around the block edges.
#include "chart/valueextremes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace
{

// The walk the summary stands for: from the first value on, keep a value
// that is strictly smaller or larger.
ValueExtremes::Extremes walk(const std::vector<double>& values, std::size_t first, std::size_t last)
{
    ValueExtremes::Extremes extremes{values[first], values[first]};
    for (std::size_t i = first + 1; i < last; ++i) {
        if (values[i] < extremes.min)
            extremes.min = values[i];
        else if (values[i] > extremes.max)
            extremes.max = values[i];
    }
    return extremes;
}

bool same(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || (a == b && std::signbit(a) == std::signbit(b));
}

// Readings with NaNs, zeros of both signs, infinities and a block of NaNs only.
std::vector<double> awkwardReadings()
{
    std::mt19937 random(7);
    std::vector<double> values(700);
    for (double& value : values) {
        const unsigned pick = random() % 40;
        value = pick == 0   ? std::nan("")
                : pick == 1 ? 0.0
                : pick == 2 ? -0.0
                : pick == 3 ? INFINITY
                : pick == 4 ? -INFINITY
                            : double(int(random() % 4000) - 2000) / 100.0;
    }
    for (std::size_t i = 128; i < 192; ++i)
        values[i] = std::nan("");
    return values;
}

TEST(ValueExtremes, everyRunGivesWhatTheWalkGives)
{
    const std::vector<double> values = awkwardReadings();
    const ValueExtremes extremes(values);
    for (std::size_t first = 0; first < values.size(); first += 3) {
        for (std::size_t last = first + 1; last <= values.size(); ++last) {
            const auto expected = walk(values, first, last);
            const auto got = extremes.of(first, last);
            ASSERT_TRUE(same(got.min, expected.min) && same(got.max, expected.max)) << first << ".." << last;
        }
    }
}

TEST(ValueExtremes, aNaNFirstGivesNaNAndTheValuesAreKept)
{
    std::vector<double> values(300, 1.5);
    values[70] = std::nan("");
    values[200] = -3.0;
    const ValueExtremes extremes(values);
    EXPECT_TRUE(std::isnan(extremes.of(70, 300).min));
    EXPECT_TRUE(std::isnan(extremes.of(70, 300).max));
    EXPECT_EQ(extremes.of(69, 300).min, -3.0);
    EXPECT_EQ(extremes.of(69, 300).max, 1.5);
    EXPECT_EQ(extremes.size(), 300u);
    EXPECT_EQ(extremes.values()[200], -3.0);
}

} // namespace
