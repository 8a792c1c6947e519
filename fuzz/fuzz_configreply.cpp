// Configuration replies that arrive in pieces, between events of the data
// stream. A record is shown once, when the 17th byte of its reply arrives,
// with the fields that were received, and a reply never touches the table:
// a second reader that gets only the data events must end with the same table.
#include "fuzzcheck.h"
#include "readevents.h"
#include "tablesnapshot.h"

#include "data/measurementtable.h"
#include "link/protocol.h"
#include "link/settingsrecord.h"
#include "link/streamreader.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace
{

constexpr char kMarker = char(protocol::kConfigurationMarker);
constexpr std::size_t kReplyLength = protocol::kConfigurationReplyLength;

ReadOutcome read(StreamReader& reader, std::string_view event)
{
    return reader.readEvent(reinterpret_cast<const std::uint8_t*>(event.data()), event.size());
}

struct Readers {
    Readers()
    {
        table.writeHeader();
        dataTable.writeHeader();
        reader.startDownload();
        dataReader.startDownload();
    }

    MeasurementTable table;
    MeasurementTable dataTable;
    StreamReader reader{table};
    StreamReader dataReader{dataTable};
    // The bytes of the reply that is being received, marker first.
    std::string reply;
};

void checkRecord(const SettingsRecord& record, std::string_view reply)
{
    const auto byte = [reply](std::size_t offset) { return std::uint8_t(reply[offset]); };
    FUZZ_CHECK(record.day == byte(1));
    FUZZ_CHECK(record.month == byte(2));
    FUZZ_CHECK(record.year == byte(3));
    FUZZ_CHECK(record.hour == byte(4));
    FUZZ_CHECK(record.minute == byte(5));
    FUZZ_CHECK(record.second == byte(6));
    FUZZ_CHECK(record.ports == byte(7));
    FUZZ_CHECK(record.interval == byte(8));
    for (std::size_t i = 0; i < record.limits.size(); ++i)
        FUZZ_CHECK(record.limits[i] == std::int8_t(byte(9 + i)));
}

void readDataEvent(Readers& r, std::string_view event)
{
    const ReadOutcome out = read(r.reader, event);
    const ReadOutcome dataOut = read(r.dataReader, event);
    FUZZ_CHECK(!out.settings && !dataOut.settings);
    FUZZ_CHECK(out.logLines.text == dataOut.logLines.text);
    FUZZ_CHECK(out.logLines.ends == dataOut.logLines.ends);
}

// Bytes after the reply's 17th in the event that completes it are ignored.
void readReplyPiece(Readers& r, std::string_view event)
{
    const TableSnapshot before = snapshotOf(r.table);
    const ReadOutcome out = read(r.reader, event);
    FUZZ_CHECK(snapshotOf(r.table) == before);
    r.reply.append(event.substr(0, kReplyLength - r.reply.size()));
    if (r.reply.size() < kReplyLength) {
        FUZZ_CHECK(!out.settings);
        FUZZ_CHECK(out.logLines.empty());
        return;
    }
    FUZZ_CHECK(out.settings.has_value());
    checkRecord(*out.settings, r.reply);
    FUZZ_CHECK(out.logLines.size() == 1 && out.logLines[0] == StreamReader::kConfigurationLogLine);
    r.reply.clear();
}

} // namespace

// The input's stream is preceded by a marker, so that it starts with a reply.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CutStream cut = cutStream(data, size);
    cut.stream.insert(cut.stream.begin(), kMarker);
    Readers r;
    for (std::string_view event : splitEvents(cut.stream, cut.lengths)) {
        const bool startsReply = !event.empty() && event.front() == kMarker;
        if (r.reply.empty() && !startsReply)
            readDataEvent(r, event);
        else
            readReplyPiece(r, event);
        FUZZ_CHECK(r.table.rowCount() >= 1);
    }
    FUZZ_CHECK(snapshotOf(r.table) == snapshotOf(r.dataTable));
    return 0;
}
