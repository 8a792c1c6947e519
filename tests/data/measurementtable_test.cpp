#include "data/measurementtable.h"

#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace
{

const char* const kHeader[] = {"Datum",
                               "\xC8"
                               "as",
                               "T1",
                               "T2",
                               "T3",
                               "T4",
                               "T5",
                               "T6",
                               "T7",
                               "T8",
                               ""};

TEST(MeasurementTable, startsWithHeaderAndOneEmptyRow)
{
    MeasurementTable table;
    table.writeHeader();
    ASSERT_EQ(table.rowCount(), 2);
    ASSERT_EQ(table.columnCount(), 11);
    for (int column = 0; column < 11; ++column) {
        EXPECT_EQ(table.cell(column, 0), kHeader[column]) << column;
        EXPECT_EQ(table.cell(column, 1), "") << column;
    }
    EXPECT_EQ(table.cursor().row, 1);
    EXPECT_EQ(table.cursor().column, 0);
}

TEST(MeasurementTable, rowCountNeverGoesBelowOne)
{
    const struct {
        long long asked;
        int rowCount;
    } cases[] = {{5, 5}, {1, 1}, {0, 1}, {-1, 1}, {-3000000000LL, 1}};
    for (const auto& c : cases) {
        MeasurementTable table;
        table.setRowCount(c.asked);
        EXPECT_EQ(table.rowCount(), c.rowCount) << c.asked;
        table.setRowBase(c.asked);
        EXPECT_EQ(table.rowCount(), c.rowCount) << c.asked;
    }
}

TEST(MeasurementTable, hiddenRowsKeepTheirTextsUntilShownAgain)
{
    MeasurementTable table;
    table.setRowCount(4);
    table.setCell(1, 3, "12:00:00");
    table.setRowCount(1);
    table.setRowCount(4);
    EXPECT_EQ(table.cell(1, 3), "12:00:00");
}

TEST(MeasurementTable, cellWrittenBeyondRowCountShowsWhenCountGrows)
{
    MeasurementTable table;
    table.setCell(2, 7, "21,5");
    EXPECT_EQ(table.rowCount(), 2);
    table.setRowCount(8);
    EXPECT_EQ(table.cell(2, 7), "21,5");
    EXPECT_EQ(table.cell(3, 7), "");
}

TEST(MeasurementTable, resetForDownloadEmptiesRowOneAndKeepsLaterRows)
{
    MeasurementTable table;
    table.writeHeader();
    table.setRowCount(4);
    for (int column = 0; column < 11; ++column) {
        table.setCell(column, 1, "x");
        table.setCell(column, 3, "y");
    }
    table.cursor() = {5, 7};

    table.resetForDownload();

    EXPECT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.cursor().row, 1);
    EXPECT_EQ(table.cursor().column, 0);
    for (int column = 0; column < 11; ++column) {
        EXPECT_EQ(table.cell(column, 0), kHeader[column]);
        EXPECT_EQ(table.cell(column, 1), "");
        EXPECT_EQ(table.cell(column, 3), "y");
    }
}

TEST(MeasurementTable, cellsOutsideTheColumnsAreDropped)
{
    MeasurementTable table;
    table.setCell(11, 1, "eleventh");
    table.setCell(-1, 1, "before");
    table.setCell(0, -1, "above");
    table.setCell(10, 1, "tenth");
    EXPECT_EQ(table.cell(11, 1), "");
    EXPECT_EQ(table.cell(-1, 1), "");
    EXPECT_EQ(table.cell(0, -1), "");
    EXPECT_EQ(table.cell(10, 1), "tenth");
    EXPECT_EQ(table.cell(9, 1), "");
}

TEST(MeasurementTable, setCellsDropsColumnsPastTheLast)
{
    MeasurementTable table;
    const std::string_view texts[] = {"a", "b", "c"};
    table.setCells(1, 9, texts, 3);
    EXPECT_EQ(table.cell(9, 1), "a");
    EXPECT_EQ(table.cell(10, 1), "b");
    EXPECT_EQ(table.cell(8, 1), "");
}

TEST(MeasurementTable, rewritingRowsReclaimsTheirSpaceAndKeepsEveryText)
{
    MeasurementTable table;
    const std::string large(300'000, 'L'); // stored in a block of its own
    table.setCell(3, 5, large);
    for (int round = 0; round < 200; ++round)
        for (int row = 1; row <= 1000; ++row)
            table.setCell(round % 11, row, "value " + std::to_string(round) + " of row " + std::to_string(row));
    table.setCell(3, 5, "small again");

    for (int row = 1; row <= 1000; ++row)
        EXPECT_EQ(table.cell(199 % 11, row), "value 199 of row " + std::to_string(row));
    EXPECT_EQ(table.cell(3, 5), "small again");
    EXPECT_EQ(table.cell(0, 1), "value 198 of row 1");
    // Live rows are about 250 KB; without reclaiming, 200 rounds would hold tens of MB.
    EXPECT_LT(table.arenaBytes(), std::size_t(16) << 20);
}

TEST(MeasurementTable, aMovedTableTakesItsRowsAndLeavesAnEmptyOne)
{
    MeasurementTable source;
    source.setCell(2, 7, "kept");
    MeasurementTable target = std::move(source);
    EXPECT_EQ(target.cell(2, 7), "kept");
    source.setCell(2, 7, "fresh"); // NOLINT(bugprone-use-after-move): an emptied table is usable
    EXPECT_EQ(source.cell(2, 7), "fresh");
    EXPECT_EQ(target.cell(2, 7), "kept");
}

// Bytes that differ from one position to the next, so a cell copied from or
// to the wrong offset shows; from 0x80 on they are the code page's letters.
std::string bytesOf(std::size_t length, unsigned char first)
{
    std::string text;
    for (std::size_t i = 0; i < length; ++i)
        text.push_back(char(first + i));
    return text;
}

std::vector<std::string> lengthsFrom(std::size_t first, unsigned char byte = 'a')
{
    std::vector<std::string> cells;
    for (std::size_t length = first; cells.size() < 11; ++length)
        cells.push_back(bytesOf(length, byte));
    return cells;
}

struct LineCase {
    const char* name;
    std::vector<std::string> cells; // columns from 0; the rest stay empty
};

void PrintTo(const LineCase& c, std::ostream* os)
{
    *os << c.name;
}

const LineCase kLineCases[] = {
    {"neverWritten", {}},
    {"onlyTheLastColumn", {"", "", "", "", "", "", "", "", "", "", "x"}},
    {"oneToElevenBytes", lengthsFrom(1)},
    {"sevenToSeventeenBytes", lengthsFrom(7)},
    {"highBytes", lengthsFrom(1, 0x80)},
    {"reading", {"30.04.08", "13:39:53", "21.5", "22.0", "-0.9", "21.1", "", "", "", "", ""}},
    {"longCellsThenShortOnes", {bytesOf(17, 'A'), bytesOf(40, 0xC0), bytesOf(200, 0), "a", "bc", "", "def"}},
    {"twoByteLengths", {bytesOf(128, 'k'), "", bytesOf(16'383, 'm'), bytesOf(16'384, 'n'), "z"}},
    // A row this large is stored on its own, so its last cells end its allocation.
    {"rowStoredOnItsOwn",
     {bytesOf(300'000, 'L'), "1", "22", "333", "4444", "", "55555", "666666", "7", "88", "9"}},
};

class MeasurementTableLine : public testing::TestWithParam<LineCase>
{
};

TEST_P(MeasurementTableLine, writesEveryCellWithItsSeparatorThenCrLf)
{
    const LineCase& c = GetParam();
    MeasurementTable table;
    std::vector<std::string_view> texts(c.cells.begin(), c.cells.end());
    table.setCells(3, 0, texts.data(), int(texts.size()));
    std::string expected;
    for (std::size_t column = 0; column < 11; ++column)
        expected += (column < c.cells.size() ? c.cells[column] : std::string()) + ";";
    expected += "\r\n";
    const std::size_t size = expected.size();

    auto exact = std::make_unique<char[]>(size);
    ASSERT_EQ(table.writeLine(3, exact.get(), size), size);
    EXPECT_EQ(std::string(exact.get(), size), expected);

    std::string roomy(size + 100, '#');
    ASSERT_EQ(table.writeLine(3, roomy.data(), roomy.size()), size);
    EXPECT_EQ(roomy.substr(0, size), expected);

    std::string tooSmall(size - 1, '#');
    EXPECT_EQ(table.writeLine(3, tooSmall.data(), tooSmall.size()), size);
    EXPECT_EQ(tooSmall, std::string(size - 1, '#'));
}

INSTANTIATE_TEST_SUITE_P(Rows, MeasurementTableLine, testing::ValuesIn(kLineCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
