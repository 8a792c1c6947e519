// Opening and saving a measurement file of a million rows, against wc -l and
// cp on the same file; the memory of opening in a fresh process.
#include "benchreport.h"
#include "childprocess.h"
#include "gridview.h"
#include "processmemory.h"
#include "readinggenerator.h"
#include "timing.h"

#include "data/filebytes.h"
#include "data/measurementfile.h"
#include "data/measurementtable.h"
#include "data/tablemodel.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace
{

constexpr int kRows = 1'000'000;
constexpr int kRuns = 3;
// A command takes milliseconds, so more runs steady its median.
constexpr int kCommandRuns = 7;

// What the window holds while a file is opened: the table, Grid1's model and
// a view like Grid1, shown and painted before the file comes.
struct OpenWindow {
    MeasurementTable table;
    TableModel model{table};
    QTableView view;

    OpenWindow()
    {
        table.writeHeader();
        model.tableChanged();
        setUpLikeGrid1(view);
        view.setModel(&model);
        view.show();
        paintNow(view);
    }
    struct Phases {
        double read = 0, load = 0, announce = 0, paint = 0;
        double total() const { return read + load + announce + paint; }
    };
    // As the window's open handler does it, then the paint once it has returned.
    Phases open(const QString& path)
    {
        Phases t;
        std::string bytes;
        t.read = secondsOf([&] { bytes = FileBytes::read(path); });
        t.load = secondsOf([&] { MeasurementFile::load(table, bytes); });
        t.announce = secondsOf([&] {
            model.tableChanged();
            bytes = std::string(); // the handler returns and drops the file's bytes
        });
        t.paint = secondsOf([&] { paintNow(view); });
        return t;
    }
};

std::size_t writeReadings(const QString& path)
{
    const std::string bytes = ReadingGenerator().file(kRows, '.');
    std::ofstream(path.toStdString(), std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    return std::size_t(QFileInfo(path).size());
}

// A new file written in one go, with no temporary file and no sync.
void writePlainly(const QString& path, const std::string& bytes)
{
    std::FILE* file = std::fopen(path.toLocal8Bit().constData(), "wb");
    if (!file)
        return;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

double timedCommand(const std::vector<std::string>& command)
{
    return secondsOf([&] { runAndCapture(command); });
}

void reportOpenPhases(BenchReport& report, const OpenWindow::Phases& t)
{
    report.figure("  FileBytes::read", t.read * 1000, "ms");
    report.figure("  MeasurementFile::load", t.load * 1000, "ms");
    report.figure("  TableModel::tableChanged", t.announce * 1000, "ms");
    report.figure("  paint of the view", t.paint * 1000, "ms");
}

void benchOpening(BenchReport& report, const QString& path)
{
    const std::vector<std::string> wc{"wc", "-l", path.toStdString()};
    runAndCapture(wc); // the file is in the page cache for both from here on
    const double wcSeconds = medianSecondsOf(kCommandRuns, [&] { runAndCapture(wc); });
    std::vector<OpenWindow::Phases> runs;
    int rowsShown = 0;
    for (int run = 0; run < kRuns; ++run) {
        OpenWindow window;
        runs.push_back(window.open(path));
        rowsShown = window.model.rowCount();
    }
    std::sort(runs.begin(), runs.end(), [](auto& a, auto& b) { return a.total() < b.total(); });
    const OpenWindow::Phases& middle = runs[runs.size() / 2];
    if (rowsShown != kRows)
        report.note("wrong row count in the model: " + std::to_string(rowsShown));
    report.figure("open: read + load + tableChanged + paint (median of 3)", middle.total() * 1000, "ms");
    reportOpenPhases(report, middle);
    report.figure("baseline wc -l (median of 7)", wcSeconds * 1000, "ms");
    report.atMost("opening vs wc -l", 30, middle.total() / wcSeconds, "x");
}

// The child's three figures: RSS before opening, peak RSS, RSS after.
void benchMemory(BenchReport& report, const QString& path, std::size_t fileSize)
{
    std::istringstream figures(runAndCapture({selfExecutable(), "--open-child", path.toStdString()}));
    long long before = 0, peak = 0, after = 0;
    figures >> before >> peak >> after;
    const double peakBytes = double(peak - before) * 1024;
    report.figure("RSS of a fresh process before opening", double(before) / 1024, "MB");
    report.figure("peak RSS added by opening (VmHWM - VmRSS before)", peakBytes / 1e6, "MB");
    report.figure("RSS kept after opening", double(after - before) * 1024 / 1e6, "MB");
    report.atMost("peak memory of opening vs file size", 2.5, peakBytes / double(fileSize), "x");
}

void benchSaving(BenchReport& report, const QString& path, const QTemporaryDir& dir, std::size_t fileSize)
{
    OpenWindow window;
    window.open(path);
    const QString saved = dir.filePath(QStringLiteral("saved.csv"));
    const QString copied = dir.filePath(QStringLiteral("copied.csv"));
    const QString plain = dir.filePath(QStringLiteral("plain.csv"));
    std::vector<double> saveTimes, serializeTimes, plainTimes, cpTimes;
    for (int run = 0; run < kRuns; ++run) {
        QFile::remove(saved);
        QFile::remove(plain);
        // As the window saves: rows serialized in pieces straight into the file.
        saveTimes.push_back(secondsOf([&] {
            FileBytes::Writer file(saved);
            MeasurementFile::serialize(window.table, [&file](std::string_view chunk) { file.append(chunk); });
            file.commit();
        }));
        std::string bytes;
        serializeTimes.push_back(secondsOf([&] { bytes = MeasurementFile::serialize(window.table); }));
        plainTimes.push_back(secondsOf([&] { writePlainly(plain, bytes); }));
    }
    for (int run = 0; run < kCommandRuns; ++run) {
        QFile::remove(copied);
        cpTimes.push_back(timedCommand({"cp", path.toStdString(), copied.toStdString()}));
    }
    if (std::size_t(QFileInfo(saved).size()) != fileSize)
        report.note("the saved file differs in size from the opened one");
    const double saveSeconds = median(saveTimes);
    report.figure("save: serialize in pieces into FileBytes::Writer, committed (median of 3)", saveSeconds * 1000,
                  "ms");
    report.figure("  for comparison, MeasurementFile::serialize into one string", median(serializeTimes) * 1000,
                  "ms");
    report.figure("  for comparison, one fwrite of the same bytes", median(plainTimes) * 1000, "ms");
    report.figure("baseline cp (median of 7; copy_file_range in the kernel)", median(cpTimes) * 1000, "ms");
    report.atMost("saving vs cp", 3, saveSeconds / median(cpTimes), "x");
}

// Runs in a fresh process: the peak is that of the opening alone.
int openChild(const QString& path)
{
    OpenWindow window;
    // Resets VmHWM to the current RSS where the kernel allows it.
    std::FILE* clearRefs = std::fopen("/proc/self/clear_refs", "w");
    if (clearRefs) {
        std::fputs("5", clearRefs);
        std::fclose(clearRefs);
    }
    const long long before = processStatusKilobytes("VmRSS");
    window.open(path);
    std::printf("%lld %lld %lld\n", before, processStatusKilobytes("VmHWM"), processStatusKilobytes("VmRSS"));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--open-child") == 0)
        return openChild(QString::fromLocal8Bit(argv[2]));

    BenchReport report("bench_file");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("readings.csv"));
    const std::size_t fileSize = writeReadings(path);
    report.figure("file of " + std::to_string(kRows) + " rows", double(fileSize) / 1e6, "MB");
    benchOpening(report, path);
    benchMemory(report, path, fileSize);
    benchSaving(report, path, dir, fileSize);
    return report.exitCode();
}
