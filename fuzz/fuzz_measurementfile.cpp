// Opening any bytes as a measurement file, into an empty table and into one
// that already holds a file. Field k of line i goes to cell (k, i), cells no
// field reaches keep their texts, the row count is the number of lines, and
// what is then saved opens again to the same table.
#include "fuzzcheck.h"
#include "tablesnapshot.h"
#include "textlines.h"

#include "data/measurementfile.h"
#include "data/measurementtable.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace
{

constexpr int kColumns = MeasurementTable::kColumnCount;

// The texts before each ';' of a line; what follows the last one is dropped.
std::vector<std::string_view> lineFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    for (std::size_t end; (end = line.find(';')) != std::string_view::npos; line.remove_prefix(end + 1))
        fields.push_back(line.substr(0, end));
    return fields;
}

std::string_view oldCell(const TableSnapshot& before, std::size_t row, int column)
{
    if (row >= before.rows.size())
        return {};
    return before.rows[row][std::size_t(column)];
}

void checkOpened(const TableSnapshot& before, const MeasurementTable& table, std::string_view bytes)
{
    const std::vector<std::string_view> lines = textLines(bytes);
    FUZZ_CHECK(std::size_t(table.rowCount()) == std::max<std::size_t>(1, lines.size()));
    FUZZ_CHECK(table.cursor().row == before.cursorRow && table.cursor().column == before.cursorColumn);
    const std::size_t rows = std::max({before.rows.size(), lines.size(), table.storedRowSlots()});
    for (std::size_t row = 0; row < rows; ++row) {
        const std::vector<std::string_view> fields =
            row < lines.size() ? lineFields(lines[row]) : std::vector<std::string_view>{};
        for (int column = 0; column < kColumns; ++column) {
            const std::string_view expected = std::size_t(column) < fields.size()
                                                  ? fields[std::size_t(column)]
                                                  : oldCell(before, row, column);
            FUZZ_CHECK(table.cell(column, int(row)) == expected);
        }
    }
}

void open(MeasurementTable& table, std::string_view bytes)
{
    const TableSnapshot before = snapshotOf(table);
    MeasurementFile::load(table, bytes);
    checkOpened(before, table, bytes);
}

// No cell that opening stores holds ';', CR or LF, so saving and opening
// again gives back every shown cell, and the saved bytes.
void checkSaveAndOpen(const MeasurementTable& table)
{
    const std::string saved = MeasurementFile::serialize(table);
    const auto rows = std::size_t(table.rowCount());
    FUZZ_CHECK(std::size_t(std::count(saved.begin(), saved.end(), ';')) == rows * kColumns);
    FUZZ_CHECK(std::size_t(std::count(saved.begin(), saved.end(), '\n')) == rows);
    FUZZ_CHECK(std::size_t(std::count(saved.begin(), saved.end(), '\r')) == rows);
    FUZZ_CHECK(saved.ends_with("\r\n"));
    MeasurementTable reopened;
    MeasurementFile::load(reopened, saved);
    FUZZ_CHECK(reopened.rowCount() == table.rowCount());
    for (int row = 0; row < table.rowCount(); ++row)
        FUZZ_CHECK(reopened.row(row) == table.row(row));
    FUZZ_CHECK(MeasurementFile::serialize(reopened) == saved);
}

} // namespace

// The first byte says where the rest is cut in two: the first part is opened
// before the second, which then opens over it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t cut = bytes.size() * data[0] / 255;

    MeasurementTable fresh;
    open(fresh, bytes);
    checkSaveAndOpen(fresh);

    MeasurementTable table;
    open(table, bytes.substr(0, cut));
    table.cursor() = {int(cut % 7), int(cut % 13)};
    open(table, bytes.substr(cut));
    checkSaveAndOpen(table);
    return 0;
}
