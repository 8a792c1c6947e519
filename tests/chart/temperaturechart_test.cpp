// What the chart draws for few and for very many readings.
#include "chart/temperaturechart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// A slow wave with a fast ripple, the global extremes placed away from the ends.
std::vector<double> readings(std::size_t count)
{
    std::vector<double> values(count);
    for (std::size_t i = 0; i < count; ++i)
        values[i] = 10.0 * std::sin(double(i) * 1e-4) + std::sin(double(i) * 0.37);
    values[count / 3] = -19.5;
    values[2 * count / 3] = 19.5;
    return values;
}

std::vector<double> drawnValues(const TemperatureChart& chart)
{
    std::vector<double> drawn;
    for (auto it = chart.series()->data()->constBegin(); it != chart.series()->data()->constEnd(); ++it)
        drawn.push_back(it->value);
    return drawn;
}

bool drawnAt(const TemperatureChart& chart, std::size_t index, double value)
{
    const auto found = chart.series()->data()->findBegin(double(index), false);
    return found != chart.series()->data()->constEnd() && found->key == double(index) && found->value == value;
}

TEST(TemperatureChart, fewReadingsAreDrawnAsTheyAre)
{
    TemperatureChart chart;
    chart.resize(601, 401);
    const std::vector<double> values = readings(100);
    chart.showValues(values, Qt::blue, QStringLiteral("T1"));
    EXPECT_EQ(chart.pointCount(), 100u);
    EXPECT_EQ(drawnValues(chart), values);
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(chart.series()->data()->at(int(i))->key, double(i));
}

TEST(TemperatureChart, aMillionReadingsAreDrawnAsTheirEnvelope)
{
    TemperatureChart chart;
    chart.resize(601, 401);
    const std::vector<double> values = readings(1'000'000);
    chart.showValues(values, Qt::blue, QStringLiteral("T1"));
    EXPECT_EQ(chart.values(), values);
    EXPECT_EQ(chart.pointValue(123'456), values[123'456]);
    EXPECT_LE(chart.series()->dataCount(), 2 * chart.axisRect()->width() + 2);
    EXPECT_LE(chart.series()->dataCount(), 2000);
    EXPECT_TRUE(drawnAt(chart, 0, values.front()));
    EXPECT_TRUE(drawnAt(chart, values.size() - 1, values.back()));
    EXPECT_TRUE(drawnAt(chart, values.size() / 3, -19.5));
    EXPECT_TRUE(drawnAt(chart, 2 * values.size() / 3, 19.5));
    const auto drawn = drawnValues(chart);
    EXPECT_EQ(*std::min_element(drawn.begin(), drawn.end()), -19.5);
    EXPECT_EQ(*std::max_element(drawn.begin(), drawn.end()), 19.5);
}

TEST(TemperatureChart, theEnvelopeFollowsTheWidthOfThePlot)
{
    TemperatureChart chart;
    chart.resize(601, 401);
    chart.show();
    chart.showValues(readings(1'000'000), Qt::blue, QStringLiteral("T1"));
    const int wide = chart.series()->dataCount();
    chart.resize(301, 401);
    EXPECT_LT(chart.series()->dataCount(), wide * 2 / 3);
    EXPECT_LE(chart.series()->dataCount(), 2 * chart.axisRect()->width() + 2);
}

} // namespace
