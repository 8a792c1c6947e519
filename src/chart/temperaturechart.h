#pragma once

#include <QColor>
#include <QString>
#include <qcustomplot.h>
#include <vector>

// Chart1: the temperature chart with its one line series (Series1).
// Left axis fixed at -20..20, no legend, white background, flat.
class TemperatureChart : public QCustomPlot {
    Q_OBJECT
public:
    explicit TemperatureChart(QWidget* parent = nullptr);

    QCPGraph* series() const { return graph(0); }
    QString title() const;

    // Removes every point; the chart then shows an empty curve.
    void clearSeries();
    // Puts the values at successive positions 0, 1, 2 ... in the given colour
    // and replots; the series title names the plotted sensor.
    void showValues(const std::vector<double>& values, const QColor& color, const QString& seriesTitle);

private:
    QCPTextElement* m_title;
};
