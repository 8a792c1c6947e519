#pragma once

#include "data/populatedmemory.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The measurement table: cells of 8-bit text (code page 1250 bytes, kept as
// they came), addressed column first, both from 0. The row count only decides
// what is shown, saved, exported and charted: cells beyond it keep their texts.
// Stored rows are packed into large blocks; columns beyond the last are
// dropped so that no input can grow memory through them.
class MeasurementTable
{
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
    // The row's line of the measurement file: every cell's bytes followed by
    // ';', then CR LF. Returns the line's size and writes the line at out only
    // when it fits into room bytes; up to 16 bytes past the line, never past
    // room, may be overwritten too.
    std::size_t writeLine(int row, char* out, std::size_t room) const;
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
    // Bytes the stored rows take, without the row index.
    std::size_t cellBytes() const { return m_liveBytes; }
    // Bytes held for rows, replaced rows not yet reclaimed included.
    std::size_t arenaBytes() const { return m_arenaBytes; }

  private:
    void storeRow(std::size_t row, std::span<const std::string_view, kColumnCount> cells);
    std::uint8_t* allocate(std::size_t size);
    void release(std::uint8_t* row);
    void compactIfWasteful();

    // Rows live in large blocks; a replaced row's bytes stay behind until
    // there are as many of them as live bytes, then everything is copied
    // into fresh blocks. So a row costs its bytes and one pointer, with no
    // allocation of its own.
    std::vector<std::uint8_t*> m_rows;
    std::vector<PopulatedMemory::Bytes> m_blocks;
    std::uint8_t* m_free = nullptr;
    std::size_t m_room = 0;
    std::size_t m_liveBytes = 0;
    std::size_t m_wastedBytes = 0;
    std::size_t m_arenaBytes = 0;

    int m_rowCount = kInitialRowCount;
    int m_rowBase = kInitialRowCount;
    long long m_lineFeeds = 0;
    ReceiveCursor m_cursor;
};
