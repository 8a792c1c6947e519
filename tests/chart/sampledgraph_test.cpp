// The graph draws exactly what QCustomPlot's own adaptive sampling draws:
// the same points for every view, and so the same pixels.
#include "chart/sampledgraph.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace
{

// Gives the points of the visible readings as the graph draws them, and as
// QCPGraph's own sampling gives them.
class ComparedGraph : public SampledGraph
{
  public:
    using SampledGraph::SampledGraph;
    QVector<QCPGraphData> sampled() const { return lineData(false); }
    QVector<QCPGraphData> reference() const { return lineData(true); }

  private:
    QVector<QCPGraphData> lineData(bool reference) const
    {
        QCPGraphDataContainer::const_iterator begin, end;
        getVisibleDataBounds(begin, end, QCPDataRange(0, dataCount()));
        QVector<QCPGraphData> points;
        if (reference)
            QCPGraph::getOptimizedLineData(&points, begin, end);
        else
            getOptimizedLineData(&points, begin, end);
        return points;
    }
};

bool same(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || a == b;
}

// A daily wave with noise from reading to reading and a few spikes; with
// `awkward`, also NaNs, infinities and a run of one repeated value.
std::vector<double> readings(std::size_t count, bool awkward)
{
    std::vector<double> values(count);
    for (std::size_t i = 0; i < count; ++i)
        values[i] = 15.0 * std::sin(double(i) * 2 * std::numbers::pi / 8640.0) + double(i * 7919 % 13) / 10.0;
    values[count / 3] = -19.5;
    values[2 * count / 3] = 19.5;
    if (awkward) {
        for (std::size_t i = 5; i < count; i += 977)
            values[i] = std::nan("");
        values[count / 2] = INFINITY;
        values[count / 2 + count / 10] = -INFINITY;
        const std::size_t runEnd = std::min(count, count / 4 + 3000);
        std::fill(values.begin() + std::ptrdiff_t(count / 4), values.begin() + std::ptrdiff_t(runEnd), 2.5);
    }
    return values;
}

struct View {
    const char* name;
    std::size_t count;
    bool awkward;
    int width;
    double lower; // key range; upper < lower means the whole data
    double upper;
    bool reversed;
};

void PrintTo(const View& view, std::ostream* out)
{
    *out << view.name;
}

class SampledGraphTest : public ::testing::TestWithParam<View>
{
  protected:
    void SetUp() override
    {
        const View& view = GetParam();
        plot.resize(view.width, 401);
        graph = new ComparedGraph(plot.xAxis, plot.yAxis);
        graph->setReadings(readings(view.count, view.awkward));
        plot.yAxis->setRange(-20, 20);
        if (view.upper < view.lower)
            plot.xAxis->setRange(0, double(view.count - 1));
        else
            plot.xAxis->setRange(view.lower, view.upper);
        plot.xAxis->setRangeReversed(view.reversed);
        plot.replot(); // lays out the axis rect that maps keys to pixels
    }

    QCustomPlot plot;
    ComparedGraph* graph = nullptr;
};

TEST_P(SampledGraphTest, drawsTheSamePointsAsQCustomPlotsOwnSampling)
{
    const QVector<QCPGraphData> expected = graph->reference();
    const QVector<QCPGraphData> got = graph->sampled();
    ASSERT_EQ(got.size(), expected.size());
    for (qsizetype i = 0; i < got.size(); ++i)
        ASSERT_TRUE(same(got[i].key, expected[i].key) && same(got[i].value, expected[i].value))
            << "point " << i << ": " << got[i].key << ", " << got[i].value << " instead of "
            << expected[i].key << ", " << expected[i].value;
}

INSTANTIATE_TEST_SUITE_P(
    Views, SampledGraphTest,
    ::testing::Values(View{"millionWhole", 1'000'000, false, 601, 1, 0, false},
                      View{"millionAwkward", 1'000'000, true, 601, 1, 0, false},
                      View{"tenThousandNarrow", 10'000, true, 173, 1, 0, false},
                      View{"zoomedOddBounds", 1'000'000, true, 601, 1234.5, 250'000.25, false},
                      View{"dataInTheMiddle", 200'000, false, 601, -50'000, 260'000, false},
                      View{"reversedAxis", 300'000, true, 601, 1, 0, true},
                      View{"aboutTwoPerPixel", 1'100, false, 601, 1, 0, false},
                      View{"fewPointsAsTheyAre", 100, true, 601, 1, 0, false}),
    [](const ::testing::TestParamInfo<View>& info) { return std::string(info.param.name); });

TEST(SampledGraph, paintsTheSamePixelsAsAPlainGraph)
{
    QCustomPlot plot;
    plot.resize(601, 401);
    auto* sampled = new SampledGraph(plot.xAxis, plot.yAxis);
    auto* plain = plot.addGraph();
    const std::vector<double> values = readings(1'000'000, false);
    sampled->setReadings(values);
    for (std::size_t i = 0; i < values.size(); ++i)
        plain->addData(double(i), values[i]);
    plot.xAxis->setRange(0, double(values.size() - 1));
    plot.yAxis->setRange(-20, 20);

    plain->setVisible(false);
    const QImage withSampled = plot.toPixmap(601, 401).toImage();
    sampled->setVisible(false);
    plain->setVisible(true);
    const QImage withPlain = plot.toPixmap(601, 401).toImage();
    EXPECT_TRUE(withSampled == withPlain);
    plain->setVisible(false);
    EXPECT_FALSE(plot.toPixmap(601, 401).toImage() == withPlain); // the curve is really there
}

} // namespace
