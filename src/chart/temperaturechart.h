#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <cstddef>
#include <qcustomplot.h>
#include <vector>

// Chart1: the temperature chart with its one line series (Series1).
// Left axis fixed at -20..20, no legend, white background, flat.
//
// The chart keeps the readings it is given; when they far outnumber the pixel
// columns of the plot area, the series holds only each column's first, lowest,
// highest and last reading, so a replot costs the same for ten thousand
// readings or a million, and draws the picture that all readings give.
class TemperatureChart : public QCustomPlot
{
    Q_OBJECT
  public:
    explicit TemperatureChart(QWidget* parent = nullptr);

    // The points drawn, which may be fewer than the readings.
    QCPGraph* series() const { return graph(0); }
    QString title() const;

    // The readings last given, at positions 0, 1, 2 ...
    const std::vector<double>& values() const { return m_values; }
    std::size_t pointCount() const { return m_values.size(); }
    double pointValue(std::size_t i) const { return m_values.at(i); }

    // Removes every point; the chart then shows an empty curve.
    void clearSeries();
    // Puts the values at successive positions 0, 1, 2 ... in the given colour
    // and replots; the series title names the plotted sensor.
    void showValues(std::vector<double> values, const QColor& color, const QString& seriesTitle);

  protected:
    // Runs at every replot; the points drawn follow the width of the plot area.
    void updateLayout() override;

  private:
    void rebuildSeries();

    QCPTextElement* m_title;
    std::vector<double> m_values;
    // The plot area the series was built for, and whether new readings came since.
    QRect m_seriesArea;
    bool m_seriesStale = true;
};
