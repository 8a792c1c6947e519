// A download of 1,000,000 rows from the module emulator over loopback, into
// the table and the status log, beside opening the same rows from a file.
#include "app/statuslog.h"
#include "benchform.h"
#include "benchreport.h"
#include "data/filebytes.h"
#include "data/measurementfile.h"
#include "data/tablemodel.h"
#include "link/clientsocket.h"
#include "processmemory.h"
#include "timing.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

namespace
{

constexpr int kRows = 1'000'000;

// The longest the event loop went without running a 5 ms timer.
class StallMeter
{
  public:
    StallMeter()
    {
        QObject::connect(&m_timer, &QTimer::timeout,
                         [this] { m_longest = std::max(m_longest, m_clock.restart()); });
    }
    void start()
    {
        m_longest = 0;
        m_clock.start();
        m_timer.start(5);
    }
    qint64 stop()
    {
        m_timer.stop();
        return m_longest;
    }

  private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_longest = 0;
};

int startEmulator(QProcess& emulator)
{
    emulator.start(QStringLiteral(KESTROVA_EMULATOR),
                   {"--listen", "127.0.0.1", "--port", "0", "--rows", QString::number(kRows)});
    if (!emulator.waitForReadyRead(10000))
        throw std::runtime_error("the emulator did not start");
    const QByteArray line = emulator.readLine().trimmed(); // "listening 127.0.0.1:PORT"
    return line.mid(line.lastIndexOf(':') + 1).toInt();
}

void waitFor(const std::function<bool()>& done)
{
    while (!done())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BenchReport report("download");
    QProcess emulator;
    emulator.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const int port = startEmulator(emulator);

    BenchForm bench;
    TForm1& w = bench.form();
    w.environment().modulePort = port;
    w.show();
    w.btn_connect->click();
    waitFor([&] { return w.ClientSocket->isActive(); });

    const long long rssBefore = processStatusKilobytes("VmRSS");
    StallMeter stalls;
    stalls.start();
    const double download = secondsOf([&] {
        w.btn_receive->click();
        waitFor([&] { return w.table().rowCount() == kRows + 1; });
        w.Memo1->flush();
        w.Grid1->repaint();
    });
    const qint64 longestStall = stalls.stop();
    const long long peakKb = processStatusKilobytes("VmHWM") - rssBefore;

    const std::string bytes = MeasurementFile::serialize(w.table());
    std::size_t rowText = 0;
    for (std::size_t i = 0; i < w.Memo1->store().size(); ++i)
        rowText += w.Memo1->store().line(i).size();
    report.figure("rows", w.table().rowCount() - 1, "");
    report.figure("download", download, "s");
    report.figure("longest event-loop stall", double(longestStall), "ms");
    report.figure("peak memory of the download (table, log, buffers)", double(peakKb) / 1024.0, "MiB");
    report.figure("row text", double(rowText) / 1e6, "MB");
    report.figure("table store", double(w.table().cellBytes()) / 1e6, "MB");

    // Baseline: the same rows opened from a measurement file, until painted.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("download.csv"));
    FileBytes::write(file, bytes);
    BenchForm opener;
    const double opening = secondsOf([&] {
        MeasurementFile::load(opener.form().table(), FileBytes::read(file));
        opener.tableModel().tableChanged();
        opener.form().Grid1->repaint();
    });
    report.figure("opening the same rows from a file", opening, "s");

    // What the status log alone costs: the same lines into a log of its own,
    // a read event's worth (about 64 KB) at a time, as the download hands them.
    StatusLog log;
    log.resize(585, 481);
    log.show();
    const LogStore& lines = w.Memo1->store();
    std::vector<std::pair<std::string, std::vector<std::size_t>>> events(1);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (events.back().first.size() >= 65535)
            events.emplace_back();
        events.back().first.append(lines.line(i));
        events.back().second.push_back(events.back().first.size());
    }
    // The event loop's own cost is the download's; the log adds the appends
    // and a flush and repaint about every 100 ms of the download.
    const std::size_t eventsPerFlush = std::max<std::size_t>(1, std::size_t(double(events.size()) * 0.1 / download));
    const double logging = secondsOf([&] {
        for (std::size_t i = 0; i < events.size(); ++i) {
            log.appendBlock(events[i].first, events[i].second);
            if (i % eventsPerFlush == 0) {
                log.flush();
                log.repaint();
            }
        }
        log.flush();
        log.repaint();
    });
    report.figure("the status log's share", logging, "s");

    report.atMost("download / file opening", 1.5, download / opening, "x");
    report.atMost("longest stall", 100, double(longestStall), "ms");
    report.atMost("status log / download", 10, 100.0 * logging / download, "%");
    report.atMost("table store / row text", 2.0, double(w.table().cellBytes()) / double(rowText), "x");
    emulator.kill();
    emulator.waitForFinished();
    return report.exitCode();
}
