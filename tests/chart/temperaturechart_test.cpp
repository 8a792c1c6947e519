// What the chart draws for few and for very many readings.
#include "chart/temperaturechart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace
{

// A wave a few pixel columns long at a million readings, with a ripple from
// reading to reading, and the extremes placed away from the ends.
std::vector<double> readings(std::size_t count)
{
    std::vector<double> values(count);
    for (std::size_t i = 0; i < count; ++i)
        values[i] = 15.0 * std::sin(double(i) * 2 * std::numbers::pi / 8000.0) + double(i * 7919 % 11) / 10.0;
    values[count / 3] = -19.5;
    values[2 * count / 3] = 19.5;
    return values;
}

class TemperatureChartTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        chart.resize(601, 401);
        chart.show();
    }

    bool drawnAt(std::size_t index, double value) const
    {
        const auto found = chart.series()->data()->findBegin(double(index), false);
        return found != chart.series()->data()->constEnd() && found->key == double(index) &&
               found->value == value;
    }

    TemperatureChart chart;
};

TEST_F(TemperatureChartTest, fewReadingsAreDrawnAsTheyAre)
{
    const std::vector<double> values = readings(100);
    chart.showValues(values, Qt::blue, QStringLiteral("T1"));
    EXPECT_EQ(chart.pointCount(), 100u);
    ASSERT_EQ(chart.series()->dataCount(), 100);
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_TRUE(drawnAt(i, values[i])) << i;
}

TEST_F(TemperatureChartTest, aMillionReadingsAreKeptAndTheAxisStaysFixed)
{
    const std::vector<double> values = readings(1'000'000);
    chart.showValues(values, Qt::blue, QStringLiteral("T3"));
    EXPECT_EQ(chart.values(), values);
    EXPECT_EQ(chart.pointValue(123'456), values[123'456]);
    EXPECT_TRUE(drawnAt(values.size() / 3, -19.5));
    EXPECT_EQ(chart.yAxis->range(), QCPRange(-20, 20));
    EXPECT_EQ(chart.xAxis->range(), QCPRange(0, 999'999));
    EXPECT_EQ(chart.series()->name(), QStringLiteral("T3"));
    EXPECT_TRUE(chart.series()->adaptiveSampling());
    chart.clearSeries();
    EXPECT_EQ(chart.pointCount(), 0u);
    EXPECT_EQ(chart.series()->dataCount(), 0);
}

} // namespace
