// The chart's replot of a million points against ten thousand, and the whole
// "Vykreslit" handler over a table of a million readings.
#include "benchform.h"
#include "benchreport.h"
#include "readinggenerator.h"
#include "timing.h"

#include "app/userlocale.h"
#include "chart/temperaturechart.h"
#include "data/measurementfile.h"
#include "data/tablemodel.h"

#include <QApplication>
#include <QDateEdit>
#include <QPushButton>
#include <QTabWidget>

namespace
{

constexpr int kFewPoints = 10'000;
constexpr int kManyPoints = 1'000'000;
constexpr int kReplotRuns = 5;
constexpr int kDrawRuns = 3;

// Sets the values, then times replot() and the paint that follows it.
double replotSeconds(TemperatureChart& chart, const std::vector<double>& values)
{
    chart.showValues(values, Qt::red, QStringLiteral("T1"));
    QCoreApplication::processEvents();
    return medianSecondsOf(kReplotRuns, [&] {
        chart.replot();
        QCoreApplication::processEvents();
    });
}

// Every value `times` times over: the same curve from that many more readings.
std::vector<double> repeated(const std::vector<double>& values, int times)
{
    std::vector<double> out;
    out.reserve(values.size() * std::size_t(times));
    for (const double value : values)
        out.insert(out.end(), std::size_t(times), value);
    return out;
}

// Every `step`th value: the same days read at a coarser interval.
std::vector<double> everyNth(const std::vector<double>& values, std::size_t step)
{
    std::vector<double> out;
    for (std::size_t i = 0; i < values.size(); i += step)
        out.push_back(values[i]);
    return out;
}

// The goal compares the same days charted from 1M and from 10k readings, so
// that only the number of points differs; a chart of the first 10k readings
// spans 14 hours and draws a thinner curve, with less to paint.
void benchReplot(BenchReport& report)
{
    TemperatureChart chart;
    chart.resize(601, 401);
    chart.show();
    QCoreApplication::processEvents();
    const ReadingGenerator readings;
    const std::vector<double> many = readings.values(kManyPoints);
    const std::vector<double> first = readings.values(kFewPoints);
    const double fewSeconds = replotSeconds(chart, everyNth(many, kManyPoints / kFewPoints));
    const double firstSeconds = replotSeconds(chart, first);
    const double firstCurveSeconds = replotSeconds(chart, repeated(first, kManyPoints / kFewPoints));
    const double manySeconds = replotSeconds(chart, many);
    const double showSeconds = secondsOf([&] { chart.showValues(many, Qt::blue, QStringLiteral("T1")); });
    // A view the graph has not drawn before: the middle half of the readings.
    chart.xAxis->setRange(kManyPoints / 4.0, kManyPoints * 3 / 4.0);
    const double zoomedSeconds = secondsOf([&] {
        chart.replot();
        QCoreApplication::processEvents();
    });
    report.figure("replot of 1M readings over 59 days (median of 5)", manySeconds * 1000, "ms");
    report.figure("replot of 10k readings over the same days, every 100th (median of 5)", fewSeconds * 1000,
                  "ms");
    report.figure("  replot of the first 10k readings, 14 hours (median of 5)", firstSeconds * 1000, "ms");
    report.figure("  replot of that 14-hour curve from 1M points (median of 5)", firstCurveSeconds * 1000,
                  "ms");
    report.figure("  1M over 59 days vs the first 10k over 14 hours", manySeconds / firstSeconds, "x");
    report.figure("showValues of 1M points (data + replot)", showSeconds * 1000, "ms");
    report.figure("first replot of a new view: the middle half of 1M points", zoomedSeconds * 1000, "ms");
    report.atMost("replot 1M vs 10k readings of the same days", 2, manySeconds / fewSeconds, "x");
}

QDate dateOf(ReadingGenerator::Day day)
{
    return QDate(day.year, day.month, day.day);
}

void benchDrawing(BenchReport& report)
{
    BenchForm bench;
    TForm1& form = bench.form();
    const ReadingGenerator readings;
    MeasurementFile::load(form.table(), readings.file(kManyPoints, userDecimalSeparator()));
    bench.tableModel().tableChanged();
    form.PageControl1->setCurrentWidget(form.TabSheetGraph);
    form.show();
    QCoreApplication::processEvents();
    form.DateTimePicker1->setDate(dateOf(readings.firstDay()));
    form.DateTimePicker3->setDate(dateOf(readings.dayAfterLast(kManyPoints)));

    const double drawSeconds = medianSecondsOf(kDrawRuns, [&] { form.btn_draw->click(); });
    const std::size_t points = form.Chart1->pointCount();
    if (points != std::size_t(kManyPoints))
        report.note("wrong number of points drawn: " + std::to_string(points));
    report.figure(
        "Vykreslit over 1M readings of " +
            std::to_string(dateOf(readings.firstDay()).daysTo(dateOf(readings.dayAfterLast(kManyPoints)))) +
            " days (median of 3)",
        drawSeconds * 1000, "ms");
    report.atMost("Vykreslit over 1M readings", 0.5, drawSeconds, "s");
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BenchReport report("bench_chart");
    benchReplot(report);
    benchDrawing(report);
    return report.exitCode();
}
