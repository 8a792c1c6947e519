#include "data/measurementtable.h"
#include "link/streamreader.h"

#include <climits>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

namespace
{

using Lines = std::vector<std::string>;

struct Cell {
    int column;
    int row;
    std::string text;
};

// The whole observable state of the table after reading.
struct Snapshot {
    std::vector<std::vector<std::string>> cells;
    int rowCount;
    int cursorRow;
    int cursorColumn;
    bool operator==(const Snapshot&) const = default;
};

std::string joined(const Lines& lines)
{
    std::string text;
    for (const auto& line : lines)
        text += line;
    return text;
}

Lines linesOf(const ReadOutcome& out)
{
    return Lines(out.logLines.begin(), out.logLines.end());
}

Snapshot snapshot(const MeasurementTable& table)
{
    Snapshot s{{}, table.rowCount(), table.cursor().row, table.cursor().column};
    for (std::size_t row = 0; row < table.storedRowSlots(); ++row) {
        auto& cells = s.cells.emplace_back();
        for (int column = 0; column < table.columnCount(); ++column)
            cells.emplace_back(table.cell(column, static_cast<int>(row)));
    }
    return s;
}

class Download
{
  public:
    Download()
    {
        table.writeHeader();
        reader.startDownload();
    }

    ReadOutcome read(std::string_view bytes)
    {
        return reader.readEvent(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }

    Lines readAll(const std::vector<std::string_view>& events)
    {
        Lines lines;
        for (auto event : events) {
            const Lines more = linesOf(read(event));
            lines.insert(lines.end(), more.begin(), more.end());
        }
        return lines;
    }

    MeasurementTable table;
    StreamReader reader{table};
};

std::string configurationReply(std::uint8_t ports, std::uint8_t interval, std::uint8_t limit)
{
    std::string reply{"\xE9\x1F\x0C\x08\x17\x3B\x3A", 7};
    reply += char(ports);
    reply += char(interval);
    reply.append(8, char(limit));
    return reply;
}

const std::string kConfigurationLine{StreamReader::kConfigurationLogLine};

// Streams that exercise every byte the reader knows, each ending in a
// state that a split could disturb.
const std::string_view kStreams[] = {
    "A;B#+C\n",
    "01.02.08;10:00:00;21.5;22.0;-3.5;0;0;0;0;0;x\n02.02.08;10:00:05;21.6\r\n03.02.08;",
    "first cell is long;and+so;is the second+\n\n#;;\nlast line without feed",
    "1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16\nA;B\n",
    "\n\n\n",
};

// Rows of many lengths, so that special bytes fall on every position of the
// blocks the reader scans, with cells longer than a block among them.
std::string longStream()
{
    std::string stream;
    for (int row = 0; row < 40; ++row) {
        stream += "12.03.08;10:00:" + std::to_string(row) + ";";
        stream += std::string(static_cast<std::size_t>(row * 3), char('a' + row % 26));
        stream += row % 3 == 0 ? "#+x;" : ";";
        stream += row % 5 == 0 ? "\r\n" : "\n";
    }
    return stream + "unfinished;cel";
}

} // namespace

struct StreamCase {
    const char* name;
    std::string_view input;
    int rowCount;
    int cursorRow;
    int cursorColumn;
    Lines log;
    std::vector<Cell> cells;
};

void PrintTo(const StreamCase& c, std::ostream* os)
{
    *os << c.name;
}

class ReaderCase : public testing::TestWithParam<StreamCase>
{
};

TEST_P(ReaderCase, storesCellsLogsRowsAndCountsRows)
{
    const StreamCase& c = GetParam();
    Download d;
    EXPECT_EQ(d.readAll({c.input}), c.log);
    EXPECT_EQ(d.table.rowCount(), c.rowCount);
    EXPECT_EQ(d.table.cursor().row, c.cursorRow);
    EXPECT_EQ(d.table.cursor().column, c.cursorColumn);
    for (const Cell& cell : c.cells)
        EXPECT_EQ(d.table.cell(cell.column, cell.row), cell.text) << cell.column << "," << cell.row;
}

INSTANTIATE_TEST_SUITE_P(
    StreamReader, ReaderCase,
    testing::Values(
        StreamCase{"workedExample", "A;B#+C\n", 1, 2, 0, {"ABC"}, {{0, 1, "A"}, {1, 1, "B"}, {2, 1, "C"}}},
        StreamCase{"discardKeepsRowText", "XY+Z;", 2, 1, 1, {"XYZ"}, {{0, 1, "Z"}}},
        StreamCase{"threeRowsInOneEvent",
                   "a;1\nb;2\nc;3\n",
                   3,
                   4,
                   0,
                   {"a1", "b2", "c3"},
                   {{0, 1, "a"}, {1, 2, "2"}, {0, 3, "c"}}},
        StreamCase{"emptyLineAfterRowsShowsAllRows",
                   "a\nb\nc\n\n",
                   4,
                   5,
                   0,
                   {"a", "b", "c", ""},
                   {{0, 3, "c"}, {0, 4, ""}}},
        StreamCase{"carriageReturnIsText", "a;b\r\n", 1, 2, 0, {"ab\r"}, {{1, 1, "b\r"}}},
        StreamCase{"twoLineFeedsLogAnEmptyLine",
                   "a\n\nb\n",
                   3,
                   4,
                   0,
                   {"a", "", "b"},
                   {{0, 1, "a"}, {0, 2, ""}, {0, 3, "b"}}},
        StreamCase{"lastRowWithoutLineFeedIsLoggedNotStored",
                   "a;b\nc;d",
                   1,
                   2,
                   1,
                   {"ab", "cd"},
                   {{0, 2, "c"}, {1, 2, ""}}},
        StreamCase{
            "separatorBeforeLineFeedLeavesEmptyLastCell", "a;\n", 1, 2, 0, {"a"}, {{0, 1, "a"}, {1, 1, ""}}},
        StreamCase{"longCellsAreStoredAndLoggedWhole",
                   "a cell longer than sixteen bytes;and another one+kept part\nshort",
                   1,
                   2,
                   0,
                   {"a cell longer than sixteen bytesand another onekept part", "short"},
                   {{0, 1, "a cell longer than sixteen bytes"}, {1, 1, "kept part"}}},
        StreamCase{"nulAndHighBytesAreText",
                   {"a\0\xE9;\n", 5},
                   1,
                   2,
                   0,
                   {{"a\0\xE9", 3}},
                   {{0, 1, {"a\0\xE9", 3}}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StreamReader, rowsOverManyEventsCountAsInOneEvent)
{
    Download d;
    d.readAll({"a;1\nb;2\n", "c;3\n"});
    EXPECT_EQ(d.table.rowCount(), 3);
    EXPECT_EQ(d.table.cell(1, 2), "2");
}

TEST(StreamReader, eventsWithoutLineFeedLeaveRowCount)
{
    Download d;
    d.readAll({"", "a;b", ""});
    EXPECT_EQ(d.table.rowCount(), MeasurementTable::kInitialRowCount);
}

TEST(StreamReader, rowCountNeverBelowOne)
{
    Download d;
    d.table.setRowBase(0);
    d.readAll({"\n"});
    EXPECT_EQ(d.table.rowCount(), 1);
}

TEST(StreamReader, rowSplitOverEventsIsLoggedAsTwoLines)
{
    Download d;
    EXPECT_EQ(d.readAll({"ab;c", "d;e\n"}), (Lines{"abc", "de"}));
    EXPECT_EQ(d.table.cell(1, 1), "cd");
}

TEST(StreamReader, splitCellKeepsItsFirstPart)
{
    Download d;
    d.readAll({"21.", "5;", "x+y", "z\n"});
    EXPECT_EQ(d.table.cell(0, 1), "21.5");
    EXPECT_EQ(d.table.cell(1, 1), "yz");
}

TEST(StreamReader, downloadRequestDropsCarriedCellText)
{
    Download d;
    d.readAll({"old"});
    d.reader.startDownload();
    d.readAll({"new;\n"});
    EXPECT_EQ(d.table.cell(0, 1), "new");
}

TEST(StreamReader, secondDownloadStoresFromRowOneAgain)
{
    Download d;
    d.readAll({"a\nb\nc\n"});
    d.reader.startDownload();
    d.readAll({"z\n"});
    EXPECT_EQ(d.table.cell(0, 1), "z");
    EXPECT_EQ(d.table.rowCount(), 1);
    EXPECT_EQ(d.table.cursor().row, 2);
}

// Whatever the cut, and also byte by byte, the table ends as if the stream
// had come in one read event, and the log holds the same text, only broken
// into more lines.
TEST(StreamReader, everySplitOfAStreamGivesTheSameTable)
{
    const std::string longOne = longStream();
    std::vector<std::string_view> streams(std::begin(kStreams), std::end(kStreams));
    streams.push_back(longOne);
    for (auto stream : streams) {
        Download whole;
        const std::string logText = joined(whole.readAll({stream}));
        const Snapshot expected = snapshot(whole.table);
        for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
            Download split;
            const Lines lines = split.readAll({stream.substr(0, cut), stream.substr(cut)});
            ASSERT_EQ(snapshot(split.table), expected) << stream << " cut at " << cut;
            ASSERT_EQ(joined(lines), logText) << stream << " cut at " << cut;
        }
        Download bytewise;
        for (std::size_t i = 0; i < stream.size(); ++i)
            bytewise.readAll({stream.substr(i, 1)});
        EXPECT_EQ(snapshot(bytewise.table), expected) << stream << " byte by byte";
    }
}

TEST(StreamReader, configurationReplyIsShownAndTableUntouched)
{
    Download d;
    d.readAll({"a\nb\nc\n"});
    const Snapshot before = snapshot(d.table);
    const auto out = d.read(configurationReply(4, 30, 0xF6));
    EXPECT_EQ(linesOf(out), Lines{kConfigurationLine});
    ASSERT_TRUE(out.settings.has_value());
    EXPECT_EQ(out.settings->ports, 4);
    EXPECT_EQ(out.settings->interval, 30);
    for (auto limit : out.settings->limits)
        EXPECT_EQ(limit, -10);
    EXPECT_EQ(snapshot(d.table), before);
}

TEST(StreamReader, bytesAfterConfigurationReplyAreIgnored)
{
    Download d;
    const auto out = d.read(configurationReply(2, 10, 0x05) + "x;y\n");
    ASSERT_TRUE(out.settings.has_value());
    EXPECT_EQ(out.settings->ports, 2);
    EXPECT_EQ(linesOf(out), Lines{kConfigurationLine});
    EXPECT_EQ(d.table.cell(0, 1), "");
    EXPECT_EQ(d.table.cursor().row, 1);
    d.readAll({"x;y\n"});
    EXPECT_EQ(d.table.cell(0, 1), "x");
}

TEST(StreamReader, configurationReplyInPiecesIsShownOnceWhenComplete)
{
    const std::string reply = configurationReply(3, 15, 0xD8) + "tail";
    for (std::size_t cut = 1; cut < protocol::kConfigurationReplyLength; ++cut) {
        Download d;
        d.readAll({"a\nb\n"});
        const Snapshot before = snapshot(d.table);
        const auto first = d.read(std::string_view(reply).substr(0, cut));
        EXPECT_FALSE(first.settings.has_value()) << cut;
        EXPECT_TRUE(first.logLines.empty()) << cut;
        const auto rest = d.read(std::string_view(reply).substr(cut));
        ASSERT_TRUE(rest.settings.has_value()) << cut;
        EXPECT_EQ(*rest.settings,
                  SettingsRecord::fromBytes(reinterpret_cast<const std::uint8_t*>(reply.data()) + 1));
        EXPECT_EQ(linesOf(rest), Lines{kConfigurationLine}) << cut;
        EXPECT_EQ(snapshot(d.table), before) << cut;
    }
}

TEST(StreamReader, configurationReplyByteByByteIsShownOnce)
{
    const std::string reply = configurationReply(1, 5, 0x28);
    Download d;
    int shown = 0;
    Lines lines;
    for (char byte : reply) {
        const auto out = d.read(std::string_view(&byte, 1));
        shown += out.settings.has_value();
        const Lines more = linesOf(out);
        lines.insert(lines.end(), more.begin(), more.end());
    }
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(lines, Lines{kConfigurationLine});
    EXPECT_EQ(d.table.rowCount(), MeasurementTable::kInitialRowCount);
}

TEST(StreamReader, downloadRequestDropsPartialConfigurationReply)
{
    Download d;
    d.read(configurationReply(1, 5, 0).substr(0, 5));
    d.reader.startDownload();
    const auto out = d.read("a;b\n");
    EXPECT_FALSE(out.settings.has_value());
    EXPECT_EQ(d.table.cell(1, 1), "b");
}

TEST(StreamReader, markerInsideAnEventIsText)
{
    Download d;
    d.readAll({"a;", "b\xE9;\n"});
    EXPECT_EQ(d.table.cell(1, 1), "b\xE9");
}

TEST(StreamReader, extraFieldsCostNoMemory)
{
    Download d;
    std::string row = "0;1;2;3;4;5;6;7;8;9;10";
    for (int i = 0; i < 100000; ++i)
        row += ";extra field";
    d.readAll({row, "\n"});
    EXPECT_EQ(d.table.cell(10, 1), "10");
    EXPECT_LT(d.table.cellBytes(), 100u);
    EXPECT_EQ(d.table.cursor().row, 2);
}

TEST(StreamReader, receiveColumnSaturatesInsteadOfOverflowing)
{
    Download d;
    d.table.cursor().column = INT_MAX - 1;
    d.readAll({";;;#"});
    EXPECT_EQ(d.table.cursor().column, INT_MAX);
}
