#include "chart/temperaturechart.h"

#include <algorithm>
#include <utility>

namespace {
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

// Per column the lowest and the highest reading in the order they occur, and
// the first and last reading: a line through these spans every column's range.
QVector<QCPGraphData> envelope(const std::vector<double>& values, std::size_t columns)
{
    const std::size_t n = values.size();
    QVector<QCPGraphData> points;
    points.reserve(qsizetype(2 * columns + 2));
    appendReading(points, values, 0);
    for (std::size_t c = 0; c < columns; ++c) {
        const auto begin = values.begin() + std::ptrdiff_t(n * c / columns);
        const auto end = values.begin() + std::ptrdiff_t(n * (c + 1) / columns);
        const auto [low, high] = std::minmax_element(begin, end);
        const auto lowIndex = std::size_t(low - values.begin());
        const auto highIndex = std::size_t(high - values.begin());
        appendReading(points, values, std::min(lowIndex, highIndex));
        appendReading(points, values, std::max(lowIndex, highIndex));
    }
    appendReading(points, values, n - 1);
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
    m_seriesColumns = -1;
    series()->data()->clear();
    replot();
}

void TemperatureChart::showValues(std::vector<double> values, const QColor& color, const QString& seriesTitle)
{
    m_values = std::move(values);
    m_seriesColumns = -1;
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
    const int columns = std::max(1, axisRect()->width());
    if (columns != m_seriesColumns)
        rebuildSeries(columns);
}

void TemperatureChart::rebuildSeries(int columns)
{
    m_seriesColumns = columns;
    const std::size_t n = m_values.size();
    const bool drawAll = n <= kReadingsPerColumnDrawnInFull * std::size_t(columns);
    series()->data()->set(drawAll ? allReadings(m_values) : envelope(m_values, std::size_t(columns)), true);
}
