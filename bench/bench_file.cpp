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
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <sstream>
#include <unistd.h>

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
        FileBytes::Contents bytes;
        t.read = secondsOf([&] { bytes = FileBytes::read(path); });
        t.load = secondsOf([&] { MeasurementFile::load(table, bytes); });
        t.announce = secondsOf([&] {
            model.tableChanged();
            bytes = FileBytes::Contents(); // the handler returns and drops the file's bytes
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

struct SavePhases {
    double write = 0, commit = 0;
    double total() const { return write + commit; }
};

// As the window saves: rows serialized in pieces straight into the file, then committed.
SavePhases saveTimed(const MeasurementTable& table, const QString& path)
{
    SavePhases t;
    std::optional<FileBytes::Writer> file;
    t.write = secondsOf([&] {
        file.emplace(path);
        MeasurementFile::serialize(table, [&file](std::string_view chunk) { file->append(chunk); });
    });
    t.commit = secondsOf([&] { file->commit(); });
    return t;
}

// cp, then the copy made durable as a save makes its file.
double copyAndSync(const QString& from, const QString& to)
{
    return secondsOf([&] {
        runAndCapture({"cp", from.toStdString(), to.toStdString()});
        const int fd = ::open(to.toLocal8Bit().constData(), O_WRONLY);
        if (fd < 0)
            return;
        ::fsync(fd);
        ::close(fd);
    });
}

void reportSavePhases(BenchReport& report, const SavePhases& t, double serializeSeconds, double plainSeconds)
{
    report.figure("  serialize in pieces, nothing written (median of 3)", serializeSeconds * 1000, "ms");
    report.figure("  FileBytes::Writer: serialize and append, not committed", t.write * 1000, "ms");
    report.figure("  FileBytes::Writer::commit (sync and rename)", t.commit * 1000, "ms");
    report.figure("  for comparison, one fwrite of the same bytes, no sync (median of 3)",
                  plainSeconds * 1000, "ms");
}

struct SaveRuns {
    std::vector<SavePhases> saves;
    std::vector<double> serialize, plain, cp, cpSync;
};

SaveRuns measureSaving(BenchReport& report, const MeasurementTable& table, const QString& path,
                       const QTemporaryDir& dir)
{
    const QString saved = dir.filePath(QStringLiteral("saved.csv"));
    const QString copied = dir.filePath(QStringLiteral("copied.csv"));
    const QString plain = dir.filePath(QStringLiteral("plain.csv"));
    SaveRuns runs;
    for (int run = 0; run < kRuns; ++run) {
        QFile::remove(saved);
        runs.saves.push_back(saveTimed(table, saved));
        runs.serialize.push_back(
            secondsOf([&] { MeasurementFile::serialize(table, [](std::string_view) {}); }));
    }
    for (int run = 0; run < kCommandRuns; ++run) {
        QFile::remove(copied);
        runs.cpSync.push_back(copyAndSync(path, copied));
        QFile::remove(copied);
        runs.cp.push_back(timedCommand({"cp", path.toStdString(), copied.toStdString()}));
    }
    const std::string bytes = MeasurementFile::serialize(table);
    for (int run = 0; run < kRuns; ++run) {
        QFile::remove(plain);
        runs.plain.push_back(secondsOf([&] { writePlainly(plain, bytes); }));
    }
    if (FileBytes::read(saved).view() != FileBytes::read(path).view())
        report.note("the saved file differs from the opened one");
    return runs;
}

void benchSaving(BenchReport& report, const QString& path, const QTemporaryDir& dir)
{
    OpenWindow window;
    window.open(path);
    SaveRuns runs = measureSaving(report, window.table, path, dir);
    std::sort(runs.saves.begin(), runs.saves.end(), [](auto& a, auto& b) { return a.total() < b.total(); });
    const SavePhases& middle = runs.saves[runs.saves.size() / 2];
    report.figure("save: serialize in pieces into FileBytes::Writer, committed (median of 3)",
                  middle.total() * 1000, "ms");
    reportSavePhases(report, middle, median(runs.serialize), median(runs.plain));
    report.figure("baseline cp (median of 7; copy_file_range in the kernel)", median(runs.cp) * 1000, "ms");
    report.figure("baseline cp, then fsync of the copy (median of 7)", median(runs.cpSync) * 1000, "ms");
    report.atMost("saving vs cp", 3, middle.total() / median(runs.cp), "x");
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
    benchSaving(report, path, dir);
    return report.exitCode();
}
