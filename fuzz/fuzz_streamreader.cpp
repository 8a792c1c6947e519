// The stream reader on any stream cut into read events anywhere. The table it
// fills must not depend on where the cuts fall, and must be what reading the
// stream byte by byte after a download request stores.
#include "fuzzcheck.h"
#include "readevents.h"
#include "tablesnapshot.h"

#include "data/measurementtable.h"
#include "link/streamreader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace
{

using Events = std::vector<std::string_view>;

constexpr char kMarker = char(protocol::kConfigurationMarker);
// Streams up to this size are also read one byte per event.
constexpr std::size_t kByteEventsLimit = 1024;

bool isSeparator(char c)
{
    return c == ';' || c == '#';
}

bool isRowText(char c)
{
    return !isSeparator(c) && c != '+' && c != '\n';
}

ReadOutcome read(StreamReader& reader, std::string_view event)
{
    return reader.readEvent(reinterpret_cast<const std::uint8_t*>(event.data()), event.size());
}

MeasurementTable::RowCells headerRow()
{
    static const MeasurementTable table = [] {
        MeasurementTable header;
        header.writeHeader();
        return header;
    }();
    return table.row(0);
}

// Only a marker at the start of a read event makes a configuration reply.
bool anyEventStartsWithMarker(const Events& events)
{
    return std::any_of(events.begin(), events.end(),
                       [](std::string_view e) { return !e.empty() && e.front() == kMarker; });
}

std::string withoutMarkers(std::string_view stream)
{
    std::string data(stream);
    data.erase(std::remove(data.begin(), data.end(), kMarker), data.end());
    return data;
}

// A data event logs one line per line feed, with the row text bytes before
// it, and the text after its last line feed, if any, as a last line.
void checkDataLog(std::string_view event, const LogLines& log)
{
    std::vector<std::string> expected(1);
    for (char c : event) {
        if (c == '\n')
            expected.emplace_back();
        else if (isRowText(c))
            expected.back().push_back(c);
    }
    if (expected.back().empty())
        expected.pop_back();
    FUZZ_CHECK(log.size() == expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        FUZZ_CHECK(log[i] == expected[i]);
}

// What reading a data stream stores, one byte at a time, after the header
// row was written and a download was requested.
TableSnapshot expectedDownload(std::string_view stream)
{
    MeasurementTable table;
    table.writeHeader();
    int row = 1;
    int column = 0;
    std::string cell;
    for (char c : stream) {
        if (c == '+') {
            cell.clear();
            continue;
        }
        if (isRowText(c)) {
            cell.push_back(c);
            continue;
        }
        table.setCell(column, row, cell);
        cell.clear();
        column = c == '\n' ? 0 : column + 1;
        row += c == '\n' ? 1 : 0;
    }
    // N rows leave N rows however they arrived; a stream without a line feed changes nothing.
    const long long lineFeeds = std::count(stream.begin(), stream.end(), '\n');
    table.setRowCount(lineFeeds == 0 ? MeasurementTable::kInitialRowCount : std::max(1LL, lineFeeds));
    table.cursor() = {row, column};
    return snapshotOf(table);
}

// A data stream (no event starts with the marker) read after a download request.
TableSnapshot download(const Events& events)
{
    MeasurementTable table;
    table.writeHeader();
    StreamReader reader(table);
    reader.startDownload();
    for (std::string_view event : events) {
        const ReadOutcome out = read(reader, event);
        FUZZ_CHECK(table.rowCount() >= 1);
        FUZZ_CHECK(!out.settings);
        checkDataLog(event, out.logLines);
    }
    return snapshotOf(table);
}

// A new download forgets the old one's cursor, rows, cell text and partial reply.
void checkNewDownload(MeasurementTable& table, StreamReader& reader)
{
    reader.startDownload();
    FUZZ_CHECK(table.rowCount() == 2);
    FUZZ_CHECK(table.cursor().row == 1 && table.cursor().column == 0);
    FUZZ_CHECK(table.row(0) == headerRow());
    FUZZ_CHECK(table.row(1) == MeasurementTable::RowCells{});
    const ReadOutcome out = read(reader, "x;\n");
    FUZZ_CHECK(!out.settings);
    FUZZ_CHECK(table.cell(0, 1) == "x");
    FUZZ_CHECK(table.rowCount() == 1);
}

// Any events at all, configuration replies and their pieces included.
void readAnything(const Events& events)
{
    MeasurementTable table;
    table.writeHeader();
    StreamReader reader(table);
    reader.startDownload();
    for (std::string_view event : events) {
        const ReadOutcome out = read(reader, event);
        FUZZ_CHECK(table.rowCount() >= 1);
        FUZZ_CHECK(table.row(0) == headerRow());
        if (out.settings)
            FUZZ_CHECK(out.logLines.size() == 1 && out.logLines[0] == StreamReader::kConfigurationLogLine);
    }
    checkNewDownload(table, reader);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const CutStream cut = cutStream(data, size);
    readAnything(splitEvents(cut.stream, cut.lengths));

    std::string stream = cut.stream;
    if (anyEventStartsWithMarker(splitEvents(stream, cut.lengths)))
        stream = withoutMarkers(stream);
    const TableSnapshot expected = expectedDownload(stream);
    FUZZ_CHECK(download(splitEvents(stream, cut.lengths)) == expected);
    FUZZ_CHECK(download({stream}) == expected);

    const std::string bytes = withoutMarkers(stream);
    if (bytes.size() <= kByteEventsLimit)
        FUZZ_CHECK(download(byteEvents(bytes)) == expectedDownload(bytes));
    return 0;
}
