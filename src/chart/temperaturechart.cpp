#include "chart/temperaturechart.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace
{
constexpr double kAxisMin = -20.0;
constexpr double kAxisMax = 20.0;
// Up to this many readings per pixel column every reading is drawn.
constexpr std::size_t kReadingsPerColumnDrawnInFull = 4;

void appendReading(QVector<QCPGraphData>& points, const std::vector<double>& values, std::size_t i)
{
    const double key = double(i);
    if (!points.isEmpty() && points.constLast().key >= key)
        return;
    points.append(QCPGraphData(key, values[i]));
}

QVector<QCPGraphData> allReadings(const std::vector<double>& values)
{
    QVector<QCPGraphData> points;
    points.reserve(qsizetype(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i)
        points.append(QCPGraphData(double(i), values[i]));
    return points;
}

// One past the last reading that falls in the same pixel column as the reading
// at begin. The columns are the ones adaptive sampling groups readings by.
std::size_t columnEnd(std::size_t count, std::size_t begin, const QCPAxis& keyAxis)
{
    const int column = int(keyAxis.coordToPixel(double(begin)));
    const double guess = std::ceil(keyAxis.pixelToCoord(column + 1));
    auto end = std::size_t(std::clamp(std::isnan(guess) ? 0.0 : guess, double(begin + 1), double(count)));
    while (end > begin + 1 && int(keyAxis.coordToPixel(double(end - 1))) != column)
        --end;
    while (end < count && int(keyAxis.coordToPixel(double(end))) == column)
        ++end;
    return end;
}

// The first, lowest, highest and last reading of a column, in the order they
// occur. First and last keep two or more readings in every column, so adaptive
// sampling still groups them per column and draws each from its lowest to its
// highest reading: the picture is the one all readings give.
void appendColumn(QVector<QCPGraphData>& points, const std::vector<double>& values, std::size_t begin,
                  std::size_t end)
{
    const auto first = values.begin() + std::ptrdiff_t(begin);
    const auto [low, high] = std::minmax_element(first, values.begin() + std::ptrdiff_t(end));
    const auto lowIndex = std::size_t(low - values.begin());
    const auto highIndex = std::size_t(high - values.begin());
    appendReading(points, values, begin);
    appendReading(points, values, std::min(lowIndex, highIndex));
    appendReading(points, values, std::max(lowIndex, highIndex));
    appendReading(points, values, end - 1);
}

QVector<QCPGraphData> envelope(const std::vector<double>& values, const QCPAxis& keyAxis)
{
    QVector<QCPGraphData> points;
    points.reserve(4 * (qsizetype(keyAxis.axisRect()->width()) + 2));
    for (std::size_t begin = 0; begin < values.size();) {
        const std::size_t end = columnEnd(values.size(), begin, keyAxis);
        appendColumn(points, values, begin, end);
        begin = end;
    }
    return points;
}
} // namespace

TemperatureChart::TemperatureChart(QWidget* parent) : QCustomPlot(parent)
{
    setBackground(Qt::white);
    axisRect()->setBackground(Qt::white);
    legend->setVisible(false);

    m_title = new QCPTextElement(this, QStringLiteral("Pr\u016fb\u011bh nam\u011b\u0159en\u00fdch hodnot"),
                                 QFont(font().family(), 10, QFont::Bold));
    plotLayout()->insertRow(0);
    plotLayout()->addElement(0, 0, m_title);

    QCPGraph* line = addGraph();
    line->setName(QStringLiteral("T1"));
    line->setPen(QPen(Qt::red));
    line->setLineStyle(QCPGraph::lsLine);
    line->setScatterStyle(QCPScatterStyle::ssNone);
    line->setAdaptiveSampling(true);

    yAxis->setRange(kAxisMin, kAxisMax);
    xAxis->setRange(0, 1);
}

QString TemperatureChart::title() const
{
    return m_title->text();
}

void TemperatureChart::clearSeries()
{
    m_values.clear();
    m_seriesStale = true;
    series()->data()->clear();
    replot();
}

void TemperatureChart::showValues(std::vector<double> values, const QColor& color, const QString& seriesTitle)
{
    m_values = std::move(values);
    m_seriesStale = true;
    series()->setPen(QPen(color));
    series()->setName(seriesTitle);
    // Only the horizontal axis follows the data; the vertical one stays fixed.
    xAxis->setRange(0, std::max<double>(1.0, double(m_values.size()) - 1.0));
    yAxis->setRange(kAxisMin, kAxisMax);
    // The layout step of the replot fills the series for the current width.
    replot();
}

void TemperatureChart::updateLayout()
{
    QCustomPlot::updateLayout();
    const QRect area = axisRect()->rect();
    if (m_seriesStale || area.left() != m_seriesArea.left() || area.width() != m_seriesArea.width())
        rebuildSeries();
}

void TemperatureChart::rebuildSeries()
{
    m_seriesArea = axisRect()->rect();
    m_seriesStale = false;
    const auto columns = std::size_t(std::max(1, m_seriesArea.width()));
    const bool drawAll = m_values.size() <= kReadingsPerColumnDrawnInFull * columns;
    series()->data()->set(drawAll ? allReadings(m_values) : envelope(m_values, *xAxis), true);
}
