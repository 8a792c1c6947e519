// Time from process start to the first painted main window, against an empty
// window, each measured in fresh processes.
#include "benchform.h"
#include "benchreport.h"
#include "childprocess.h"
#include "paintcounter.h"
#include "timing.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>

namespace
{

constexpr int kRuns = 15;
constexpr int kGiveUpMs = 20'000;

// An empty window, or one with a line of text, which needs the fonts loaded.
std::unique_ptr<QWidget> plainWindow(bool withText)
{
    auto window = std::make_unique<QWidget>();
    window->resize(673, 630);
    if (withText)
        new QLabel(QStringLiteral("Pr\u016fb\u011bh nam\u011b\u0159en\u00fdch hodnot"), window.get());
    return window;
}

// The child: builds and shows the window ("form", "empty" or "text"), waits
// for its first paint and prints the nanoseconds from its start by the parent
// to the window built and to the window painted.
int showAndTime(int argc, char** argv, const std::string& kind, long long startedAt)
{
    QApplication app(argc, argv);
    std::unique_ptr<BenchForm> bench;
    std::unique_ptr<QWidget> plain;
    QWidget* window = nullptr;
    if (kind == "form") {
        bench = std::make_unique<BenchForm>();
        window = &bench->form();
    } else {
        plain = plainWindow(kind == "text");
        window = plain.get();
    }
    const long long builtAt = monotonicNanoseconds();
    long long paintedAt = 0;
    PaintCounter counter(window, [&] {
        paintedAt = monotonicNanoseconds();
        // exit(), not quit(): quit() closes the window, whose close confirmation says No.
        QCoreApplication::exit(0);
    });
    QTimer::singleShot(kGiveUpMs, &app, [] { QCoreApplication::exit(1); });
    window->show();
    app.exec();
    if (paintedAt == 0)
        return 1;
    std::printf("%lld %lld\n", builtAt - startedAt, paintedAt - startedAt);
    return 0;
}

struct Startup {
    double builtMs = 0;
    double paintedMs = 0;
};

Startup startup(const char* kind)
{
    const std::string program = selfExecutable();
    const long long startedAt = monotonicNanoseconds();
    std::istringstream out(runAndCapture({program, "--child", kind, std::to_string(startedAt)}));
    long long built = 0, painted = 0;
    out >> built >> painted;
    return {double(built) / 1e6, double(painted) / 1e6};
}

std::string listed(const std::vector<double>& values)
{
    std::string text;
    for (double value : values) {
        if (!text.empty())
            text += ' ';
        text += formatFigure(value);
    }
    return text;
}

// Prints the runs' figures and returns the median time to the first paint.
double reportStartups(BenchReport& report, const std::string& what, const std::vector<Startup>& runs)
{
    std::vector<double> painted, built;
    for (const Startup& run : runs) {
        painted.push_back(run.paintedMs);
        built.push_back(run.builtMs);
    }
    report.figure("first paint of " + what + " (median of " + std::to_string(runs.size()) + "; runs " +
                      listed(painted) + ")",
                  median(painted), "ms");
    report.figure("  of which until built", median(built), "ms");
    return median(painted);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 4 && std::strcmp(argv[1], "--child") == 0)
        return showAndTime(argc, argv, argv[2], std::stoll(argv[3]));

    BenchReport report("bench_startup");
    // One unmeasured start of each brings the libraries into the page cache.
    for (const char* kind : {"form", "empty", "text"})
        startup(kind);
    std::vector<Startup> form, empty, text;
    for (int run = 0; run < kRuns; ++run) {
        form.push_back(startup("form"));
        empty.push_back(startup("empty"));
        text.push_back(startup("text"));
    }
    const double formMs = reportStartups(report, "TForm1", form);
    const double emptyMs = reportStartups(report, "an empty QWidget", empty);
    reportStartups(report, "a QWidget with one QLabel (fonts loaded)", text);
    report.atMost("start-up of TForm1 vs an empty window", 2, formMs / emptyMs, "x");
    return report.exitCode();
}
