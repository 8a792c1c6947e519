#include "chart/temperaturechart.h"

namespace
{
constexpr double kAxisMin = -20.0;
constexpr double kAxisMax = 20.0;
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

    auto* line = new SampledGraph(xAxis, yAxis);
    m_series = line;
    line->setName(QStringLiteral("T1"));
    line->setPen(QPen(Qt::red));
    line->setLineStyle(QCPGraph::lsLine);
    line->setScatterStyle(QCPScatterStyle::ssNone);
    line->setAdaptiveSampling(true);

    yAxis->setRange(kAxisMin, kAxisMax);
    xAxis->setRange(0, 1);
    // The chart starts on a hidden page: it is drawn when first shown, not at start-up.
    QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
    mReplotQueued = false;
}

QString TemperatureChart::title() const
{
    return m_title->text();
}

void TemperatureChart::clearSeries()
{
    series()->setReadings({});
    replot();
}

void TemperatureChart::showValues(std::vector<double> values, const QColor& color, const QString& seriesTitle)
{
    series()->setReadings(std::move(values));
    series()->setPen(QPen(color));
    series()->setName(seriesTitle);
    // Only the horizontal axis follows the data; the vertical one stays fixed.
    xAxis->setRange(0, std::max<double>(1.0, double(pointCount()) - 1.0));
    yAxis->setRange(kAxisMin, kAxisMax);
    replot();
}
