#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The measurement table: cells of 8-bit text (code page 1250 bytes, kept as
// they came), addressed column first, both from 0. The row count only decides
// what is shown, saved, exported and charted: cells beyond it keep their texts.
// Each stored row is one compact allocation; columns beyond the last are
// dropped so that no input can grow memory through them.
class MeasurementTable {
public:
    static constexpr int kColumnCount = 11;
    static constexpr int kInitialRowCount = 2;

    struct ReceiveCursor {
        int row = 1;
        int column = 0;
    };

    MeasurementTable();
    ~MeasurementTable();
    MeasurementTable(MeasurementTable&&) noexcept;
    MeasurementTable& operator=(MeasurementTable&&) noexcept;

    int columnCount() const { return kColumnCount; }
    int rowCount() const { return m_rowCount; }
    // A count below 1 gives 1.
    void setRowCount(long long count);

    // Empty for a cell never written, out of range or beyond the last column.
    std::string_view cell(int column, int row) const;
    // All 11 cells of a row at once (empty for a row never written).
    using RowCells = std::array<std::string_view, kColumnCount>;
    RowCells row(int row) const;
    // Writes at any row from 0 upward, also beyond the row count; a column
    // outside 0..10 or a negative row is ignored.
    void setCell(int column, int row, std::string_view text);
    // Sets count consecutive cells of one row from firstColumn on, rebuilding
    // the row once (the reader's and the file's fast path); columns past the
    // last are dropped.
    void setCells(int row, int firstColumn, const std::string_view* texts, int count);
    void clearRow(int row);

    // "Datum", "Čas" (as code page 1250 bytes), "T1".."T8"; column 10 untouched.
    void writeHeader();

    ReceiveCursor& cursor() { return m_cursor; }
    const ReceiveCursor& cursor() const { return m_cursor; }

    // Row-count bookkeeping for a download: the base is the row count set by
    // the last download reset, file opening or start-up; line feeds are counted
    // from then on. See StreamReader for how the two give the row count.
    int rowBase() const { return m_rowBase; }
    long long lineFeedsSinceBase() const { return m_lineFeeds; }
    void countLineFeed() { ++m_lineFeeds; }
    // Sets the row count and makes it the new base (file opening).
    void setRowBase(long long count);

    // Clears row 1, sets the row count (and base) to 2 and the cursor to 1, 0.
    void resetForDownload();

    // Rows that hold storage (written at least once), for tests and benchmarks.
    std::size_t storedRowSlots() const { return m_rows.size(); }
    // Heap bytes held by the cells, without the row index.
    std::size_t cellBytes() const;

private:
    struct RowDeleter {
        void operator()(std::uint8_t* p) const noexcept;
    };
    void storeRow(std::size_t row, const std::array<std::string_view, kColumnCount>& cells);

    using RowBuffer = std::unique_ptr<std::uint8_t[], RowDeleter>;

    std::vector<RowBuffer> m_rows;
    int m_rowCount = kInitialRowCount;
    int m_rowBase = kInitialRowCount;
    long long m_lineFeeds = 0;
    ReceiveCursor m_cursor;
};
