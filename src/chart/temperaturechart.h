#pragma once

#include "chart/sampledgraph.h"

#include <QColor>
#include <QString>
#include <cstddef>
#include <qcustomplot.h>
#include <vector>

// Chart1: the temperature chart with its one line series (Series1).
// Left axis fixed at -20..20, no legend, white background, flat.
// Adaptive sampling keeps a curve of a million readings cheap.
class TemperatureChart : public QCustomPlot
{
    Q_OBJECT
  public:
    explicit TemperatureChart(QWidget* parent = nullptr);

    SampledGraph* series() const { return m_series; }
    QString title() const;

    // The readings last given, at positions 0, 1, 2 ...
    const std::vector<double>& values() const { return m_series->readings(); }
    std::size_t pointCount() const { return values().size(); }
    double pointValue(std::size_t i) const { return values().at(i); }

    // Removes every point; the chart then shows an empty curve.
    void clearSeries();
    // Puts the values at successive positions 0, 1, 2 ... in the given colour
    // and replots; the series title names the plotted sensor.
    void showValues(std::vector<double> values, const QColor& color, const QString& seriesTitle);

  private:
    QCPTextElement* m_title;
    SampledGraph* m_series;
};
