// The data-stream reader against memchr over the same read events.
#include "benchreport.h"
#include "readinggenerator.h"
#include "timing.h"

#include "data/measurementtable.h"
#include "link/streamreader.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace
{

constexpr int kRows = 1'000'000;
constexpr std::size_t kEventSize = 65535;
constexpr int kRuns = 3;

// Feeds the stream in read events into a fresh table; the table's building
// is timed, its destruction is not (a download keeps it).
double readSeconds(const std::string& stream, int& rowsStored)
{
    MeasurementTable table;
    StreamReader reader(table);
    reader.startDownload();
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(stream.data());
    const double seconds = secondsOf([&] {
        for (std::size_t at = 0; at < stream.size(); at += kEventSize)
            reader.readEvent(bytes + at, std::min(kEventSize, stream.size() - at));
    });
    rowsStored = table.cursor().row - 1;
    return seconds;
}

std::size_t countLineFeeds(const std::string& stream)
{
    std::size_t count = 0;
    for (std::size_t at = 0; at < stream.size(); at += kEventSize) {
        const char* p = stream.data() + at;
        const char* end = p + std::min(kEventSize, stream.size() - at);
        while ((p = static_cast<const char*>(std::memchr(p, '\n', std::size_t(end - p)))) != nullptr)
            ++p, ++count;
    }
    return count;
}

} // namespace

int main()
{
    BenchReport report("bench_reader");
    const std::string stream = ReadingGenerator().stream(kRows);
    report.figure("stream of " + std::to_string(kRows) + " rows", double(stream.size()) / 1e6, "MB");

    int rowsStored = 0;
    std::vector<double> readerTimes;
    for (int run = 0; run < kRuns; ++run)
        readerTimes.push_back(readSeconds(stream, rowsStored));
    const double readerSeconds = median(readerTimes);
    std::size_t lineFeeds = 0;
    const double memchrSeconds = medianSecondsOf(kRuns, [&] { lineFeeds = countLineFeeds(stream); });
    if (rowsStored != kRows || lineFeeds != std::size_t(kRows)) {
        report.note("wrong count: " + std::to_string(rowsStored) + " rows, " + std::to_string(lineFeeds) +
                    " line feeds");
        return 1;
    }

    const double readerSpeed = megabytesPerSecond(stream.size(), readerSeconds);
    report.figure("StreamReader::readEvent in 65535-byte events (median of 3)", readerSpeed, "MB/s");
    report.figure("baseline memchr for line feeds", megabytesPerSecond(stream.size(), memchrSeconds), "MB/s");
    report.figure("reader time", readerSeconds * 1000, "ms");
    report.atLeast("reader speed", 300, readerSpeed, "MB/s");
    return report.exitCode();
}
