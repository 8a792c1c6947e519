// Scrolling a view set up like Grid1 over a million rows against a thousand.
#include "benchreport.h"
#include "gridview.h"
#include "paintcounter.h"
#include "readinggenerator.h"
#include "timing.h"

#include "data/measurementfile.h"
#include "data/measurementtable.h"
#include "data/tablemodel.h"

#include <QApplication>
#include <QScrollBar>
#include <QTableView>

namespace
{

constexpr int kFewRows = 1'000;
constexpr int kManyRows = 1'000'000;
constexpr int kPages = 200;
constexpr int kRuns = 3;

struct ScrollResult {
    double seconds = 0;
    int paints = 0;
};

// Jumps to kPages positions spread evenly over the whole table and paints
// the viewport at each, so the far end of a long table is visited too.
ScrollResult scrollThrough(QTableView& view)
{
    QScrollBar* bar = view.verticalScrollBar();
    PaintCounter counter(view.viewport());
    ScrollResult result;
    result.seconds = secondsOf([&] {
        for (int page = 0; page < kPages; ++page) {
            bar->setValue(int((long long)bar->maximum() * page / (kPages - 1)));
            view.viewport()->repaint();
        }
    });
    result.paints = counter.count();
    return result;
}

ScrollResult scrollTable(int rows, BenchReport& report)
{
    MeasurementTable table;
    MeasurementFile::load(table, ReadingGenerator().file(rows, '.'));
    TableModel model(table);
    QTableView view;
    setUpLikeGrid1(view);
    view.setModel(&model);
    view.show();
    paintNow(view);
    std::vector<double> times;
    ScrollResult result;
    for (int run = 0; run < kRuns; ++run) {
        result = scrollThrough(view);
        times.push_back(result.seconds);
    }
    result.seconds = median(times);
    if (result.paints < kPages)
        report.note("only " + std::to_string(result.paints) + " paints for " + std::to_string(kPages) +
                    " pages");
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BenchReport report("bench_view");
    const double few = scrollTable(kFewRows, report).seconds;
    const double many = scrollTable(kManyRows, report).seconds;
    report.figure("200 pages of 1k rows (median of 3)", few * 1000, "ms");
    report.figure("200 pages of 1M rows (median of 3)", many * 1000, "ms");
    report.figure("one page of 1M rows", many / kPages * 1000, "ms");
    report.atMost("scrolling 1M vs 1k rows", 1.5, many / few, "x");
    return report.exitCode();
}
