#include "data/measurementfile.h"
#include "data/measurementtable.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <ostream>
#include <utility>
#include <vector>

namespace
{

std::string readFixture(const char* name)
{
    std::ifstream in(std::string(KESTROVA_TEST_DATA) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> rowOf(const MeasurementTable& table, int row)
{
    std::vector<std::string> cells;
    for (int column = 0; column < 11; ++column)
        cells.emplace_back(table.cell(column, row));
    return cells;
}

// A table whose rows 0..3 hold "old" in every column, to see which cells a load reaches.
MeasurementTable oldTable()
{
    MeasurementTable table;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 11; ++column)
            table.setCell(column, row, "old");
    }
    return table;
}

using Row = std::vector<std::string>;
const Row kOld(11, "old");

Row oldWith(std::initializer_list<std::string> first)
{
    Row row = kOld;
    std::copy(first.begin(), first.end(), row.begin());
    return row;
}

struct LoadCase {
    const char* name;
    std::string_view bytes;
    int lines;
    std::vector<Row> rows; // rows 0.. after the load
};

void PrintTo(const LoadCase& c, std::ostream* os)
{
    *os << c.name;
}

const LoadCase kLoadCases[] = {
    {"crlf", "a;b;\r\nc;\r\n", 2, {oldWith({"a", "b"}), oldWith({"c"})}},
    {"lfOnly", "a;b;\nc;\n", 2, {oldWith({"a", "b"}), oldWith({"c"})}},
    {"crOnly", "a;b;\rc;\r", 2, {oldWith({"a", "b"}), oldWith({"c"})}},
    {"lastLineWithoutBreak", "a;b;\r\nc;", 2, {oldWith({"a", "b"}), oldWith({"c"})}},
    {"textAfterLastSeparatorDropped", "a;b\r\nc;", 2, {oldWith({"a"}), oldWith({"c"})}},
    {"emptyLineKeepsItsRow", "a;\r\n\r\nc;\r\n", 3, {oldWith({"a"}), kOld, oldWith({"c"})}},
    {"emptyFieldsOverwrite", ";;\r\n", 1, {oldWith({"", ""})}},
    {"moreFieldsThanColumns",
     "0;1;2;3;4;5;6;7;8;9;10;11;12;\r\n",
     1,
     {{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}}},
    {"quotesCommasBlanksAreText", "\"a, b\"; c ;\r\n", 1, {oldWith({"\"a, b\"", " c "})}},
    {"emptyFileLeavesOneRow", "", 0, {kOld}},
    {"loneBreakIsOneEmptyLine", "\r\n", 1, {kOld}},
    {"crlfCountsOnce", "a;\r\r\n", 2, {oldWith({"a"}), kOld}},
    {"lfThenCrAreTwoBreaks", "a;\n\rb;", 3, {oldWith({"a"}), kOld, oldWith({"b"})}},
};

class MeasurementFileLoad : public testing::TestWithParam<LoadCase>
{
};

TEST_P(MeasurementFileLoad, fieldsGoToTheirColumnsAndOtherCellsStay)
{
    const LoadCase& c = GetParam();
    MeasurementTable table = oldTable();
    MeasurementFile::load(table, c.bytes);
    EXPECT_EQ(table.rowCount(), std::max(c.lines, 1));
    EXPECT_EQ(table.rowBase(), c.lines);
    for (std::size_t row = 0; row < c.rows.size(); ++row)
        EXPECT_EQ(rowOf(table, int(row)), c.rows[row]) << "row " << row;
}

INSTANTIATE_TEST_SUITE_P(Cases, MeasurementFileLoad, testing::ValuesIn(kLoadCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The reading rules written out plainly over oldTable(): lines end at CR LF,
// LF or CR; each ';' ends a field; the first 11 fields go to columns 0..10.
std::vector<Row> readPlainly(std::string_view bytes)
{
    const auto before = [](std::size_t row) { return row < 4 ? kOld : Row(11); };
    std::vector<Row> rows;
    Row row = kOld;
    std::size_t column = 0;
    std::string field;
    for (std::size_t pos = 0; pos < bytes.size(); ++pos) {
        const char ch = bytes[pos];
        if (ch == '\r' || ch == '\n') {
            rows.push_back(std::exchange(row, before(rows.size() + 1)));
            column = 0;
            field.clear();
            if (ch == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n')
                ++pos;
        } else if (ch == ';') {
            if (column < 11)
                row[column++] = field;
            field.clear();
        } else {
            field.push_back(ch);
        }
    }
    if (!bytes.empty() && bytes.back() != '\r' && bytes.back() != '\n')
        rows.push_back(row);
    return rows;
}

// Long lines whose separators and breaks fall at every position of a
// sixteen-byte step, and more fields than columns.
TEST(MeasurementFile, longLinesLoadAsThePlainRulesRead)
{
    std::uint32_t state = 12345;
    const auto next = [&state] { return (state = state * 1103515245u + 12345u) >> 16; };
    const char alphabet[] = {';', ';', ';', '\r', '\n', 'a', 'b', '7', '.', '\xE8', ' ', ';'};
    for (int round = 0; round < 200; ++round) {
        std::string bytes;
        const std::size_t length = next() % 400;
        for (std::size_t i = 0; i < length; ++i)
            bytes.push_back(next() % 8 == 0 ? alphabet[next() % sizeof alphabet] : char('c' + next() % 20));
        MeasurementTable table = oldTable();
        MeasurementFile::load(table, bytes);
        const std::vector<Row> expected = readPlainly(bytes);
        ASSERT_EQ(table.rowBase(), int(expected.size())) << "round " << round;
        for (std::size_t row = 0; row < expected.size(); ++row)
            ASSERT_EQ(rowOf(table, int(row)), expected[row]) << "round " << round << ", row " << row;
    }
}

TEST(MeasurementFile, startUpTableSavesHeaderLineAndElevenSeparators)
{
    MeasurementTable table;
    table.writeHeader();
    EXPECT_EQ(MeasurementFile::serialize(table), readFixture("startup.csv"));
}

TEST(MeasurementFile, savedTableLoadsBackWithRowCountAndAllColumns)
{
    MeasurementTable saved;
    saved.writeHeader();
    saved.setRowCount(4);
    for (int row = 1; row < 4; ++row) {
        for (int column = 0; column < 11; ++column)
            saved.setCell(column, row, std::to_string(row * 100 + column) + (column == 10 ? "\xE8" : ""));
    }
    saved.setCell(3, 2, "");
    saved.setCell(5, 6, "hidden beyond the row count");
    const std::string bytes = MeasurementFile::serialize(saved);

    MeasurementTable loaded = oldTable();
    loaded.cursor() = {7, 3};
    MeasurementFile::load(loaded, bytes);

    ASSERT_EQ(loaded.rowCount(), 4);
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(rowOf(loaded, row), rowOf(saved, row)) << "row " << row;
    EXPECT_EQ(loaded.cursor().row, 7);
    EXPECT_EQ(loaded.cursor().column, 3);
    EXPECT_EQ(MeasurementFile::serialize(loaded), bytes);
}

TEST(MeasurementFile, cellWithSeparatorComesBackAsTwoCells)
{
    MeasurementTable saved;
    saved.setRowCount(1);
    saved.setCell(0, 0, "a;b");
    saved.setCell(1, 0, "c");
    const std::string bytes = MeasurementFile::serialize(saved);
    EXPECT_EQ(bytes, "a;b;c;;;;;;;;;;\r\n");

    MeasurementTable loaded;
    MeasurementFile::load(loaded, bytes);
    EXPECT_EQ(rowOf(loaded, 0), (Row{"a", "b", "c", "", "", "", "", "", "", "", ""}));
}

TEST(MeasurementFile, cellEndingInCarriageReturnSplitsItsLineWhenLoaded)
{
    MeasurementTable saved;
    saved.setRowCount(1);
    saved.setCell(9, 0, "8\r");
    const std::string bytes = MeasurementFile::serialize(saved);
    EXPECT_EQ(bytes, ";;;;;;;;;8\r;;\r\n");

    MeasurementTable loaded = oldTable();
    MeasurementFile::load(loaded, bytes);
    EXPECT_EQ(loaded.rowCount(), 2);
    EXPECT_EQ(rowOf(loaded, 0), oldWith({"", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(rowOf(loaded, 1), oldWith({"", ""}));
}

TEST(MeasurementFile, largeTableSavesEveryLineAcrossPieces)
{
    // Some 5 MB of lines, one of them longer than a piece on its own.
    const std::string shapes[][3] = {{"30.04.08", "13:39:53", "21.5"},
                                     {"", "\xE8\xC8", ""},
                                     {"", "", ""},
                                     {std::string(20, 'w'), "x", std::string(2 << 20, 'y')}};
    MeasurementTable table;
    table.setRowCount(40'000);
    std::string expected;
    for (int row = 0; row < table.rowCount(); ++row) {
        const auto& cells = shapes[row == 20'000 ? 3 : row % 3];
        for (int column = 0; column < 11; ++column) {
            const std::string& text = cells[std::size_t(column % 3)];
            table.setCell(column, row, text);
            expected += text + ";";
        }
        expected += "\r\n";
    }
    std::size_t pieces = 0;
    std::string saved;
    MeasurementFile::serialize(table, [&](std::string_view piece) {
        ++pieces;
        saved.append(piece);
    });
    EXPECT_GT(pieces, 2u);
    ASSERT_EQ(saved.size(), expected.size());
    EXPECT_TRUE(saved == expected);
}

} // namespace
