#pragma once

#include "data/measurementfile.h"
#include "data/measurementtable.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

// Everything a reader or a file leaves in a table: the saved file, the row
// count, the receive cursor, and the cells of every row that holds any, shown
// or not.
struct TableSnapshot {
    using Row = std::array<std::string, MeasurementTable::kColumnCount>;

    std::string saved;
    int rowCount = 0;
    int cursorRow = 0;
    int cursorColumn = 0;
    std::vector<Row> rows;

    bool operator==(const TableSnapshot&) const = default;
};

inline TableSnapshot snapshotOf(const MeasurementTable& table)
{
    TableSnapshot s{
        MeasurementFile::serialize(table), table.rowCount(), table.cursor().row, table.cursor().column, {}};
    for (std::size_t r = 0; r < table.storedRowSlots(); ++r) {
        const MeasurementTable::RowCells cells = table.row(int(r));
        TableSnapshot::Row& row = s.rows.emplace_back();
        std::copy(cells.begin(), cells.end(), row.begin());
    }
    // Storage left over from rows that were emptied is not part of the contents.
    while (!s.rows.empty() && std::all_of(s.rows.back().begin(), s.rows.back().end(),
                                          [](const std::string& text) { return text.empty(); }))
        s.rows.pop_back();
    return s;
}
