#include "data/measurementtable.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <utility>

namespace
{

// A stored row: the lengths of the 11 cells as LEB128 varints, followed by
// the cells' bytes. A typical reading costs about 11 bytes more than its text.
using Lengths = std::array<std::size_t, MeasurementTable::kColumnCount>;

// Returns the size of the lengths' varints; the cells' total size goes to cellBytes.
std::size_t decodeLengths(const std::uint8_t* buffer, Lengths& lengths, std::size_t& cellBytes)
{
    cellBytes = 0;
    std::size_t pos = 0;
    for (auto& length : lengths) {
        std::size_t value = 0;
        int shift = 0;
        std::uint8_t byte;
        do {
            byte = buffer[pos++];
            value |= std::size_t(byte & 0x7F) << shift;
            shift += 7;
        } while (byte & 0x80);
        length = value;
        cellBytes += value;
    }
    return pos;
}

// The same, checking first for the usual row: cells under 128 bytes, each
// length one byte. Kept apart from decodeLengths, which storing a row inlines.
std::size_t decodeShortLengths(const std::uint8_t* buffer, Lengths& lengths, std::size_t& cellBytes)
{
    // A row always holds at least the 11 bytes read here.
    static_assert(MeasurementTable::kColumnCount == 11);
    std::uint64_t head, tail;
    std::memcpy(&head, buffer, 8);
    std::memcpy(&tail, buffer + 3, 8);
    if (((head | tail) & 0x8080808080808080u) != 0)
        return decodeLengths(buffer, lengths, cellBytes);
    cellBytes = 0;
    for (std::size_t c = 0; c < lengths.size(); ++c) {
        lengths[c] = buffer[c];
        cellBytes += buffer[c];
    }
    return lengths.size();
}

// Copies n bytes, sizeof(Word) <= n <= 2 * sizeof(Word), as two words that
// overlap in the middle.
template <typename Word>
inline __attribute__((always_inline)) void copyOverlapping(char* to, const std::uint8_t* from, std::size_t n)
{
    Word head, tail;
    std::memcpy(&head, from, sizeof(Word));
    std::memcpy(&tail, from + n - sizeof(Word), sizeof(Word));
    std::memcpy(to, &head, sizeof(Word));
    std::memcpy(to + n - sizeof(Word), &tail, sizeof(Word));
}

// Copies n bytes reading none past from + n: two overlapping loads cover any
// length up to twice their size, so a short cell costs no call to memcpy.
inline __attribute__((always_inline)) void copyExactly(char* to, const std::uint8_t* from, std::size_t n)
{
    if (n > 16) {
        std::memcpy(to, from, n);
    } else if (n >= 8) {
        copyOverlapping<std::uint64_t>(to, from, n);
    } else if (n >= 4) {
        copyOverlapping<std::uint32_t>(to, from, n);
    } else if (n > 0) {
        to[0] = char(from[0]);
        to[n / 2] = char(from[n / 2]);
        to[n - 1] = char(from[n - 1]);
    }
}

constexpr std::size_t kWideCopy = 16;

// Writes each cell followed by ';'. Where both the row and the line have
// kWideCopy bytes left, a short cell is copied as kWideCopy bytes at once and
// the separator overwrites what came after it.
char* copyCells(char* out, const std::uint8_t* from, const std::uint8_t* end, const Lengths& lengths,
                bool slack)
{
    for (std::size_t n : lengths) {
        if (slack && n <= kWideCopy && std::size_t(end - from) >= kWideCopy)
            std::memcpy(out, from, kWideCopy);
        else
            copyExactly(out, from, n);
        out[n] = ';';
        out += n + 1;
        from += n;
    }
    return out;
}

std::size_t varintSize(std::size_t value)
{
    std::size_t size = 1;
    while (value >= 0x80) {
        value >>= 7;
        ++size;
    }
    return size;
}

std::uint8_t* encodeVarint(std::uint8_t* out, std::size_t value)
{
    while (value >= 0x80) {
        *out++ = std::uint8_t(value | 0x80);
        value >>= 7;
    }
    *out++ = std::uint8_t(value);
    return out;
}

std::size_t rowSize(const std::uint8_t* buffer)
{
    Lengths lengths;
    std::size_t cellBytes;
    const std::size_t header = decodeLengths(buffer, lengths, cellBytes);
    return header + cellBytes;
}

constexpr std::size_t kFirstBlockSize = std::size_t(4) << 10;
constexpr std::size_t kBlockSize = std::size_t(1) << 20;
// Rows larger than this get a block of their own.
constexpr std::size_t kLargeRow = kBlockSize / 4;
// Below this much waste the arena is never compacted.
constexpr std::size_t kMinWasteToCompact = std::size_t(4) << 20;

} // namespace

MeasurementTable::MeasurementTable() = default;
MeasurementTable::~MeasurementTable() = default;
MeasurementTable::MeasurementTable(MeasurementTable&& other) noexcept
{
    *this = std::move(other);
}

// The source is left empty: its free pointer must not point into blocks it no longer owns.
MeasurementTable& MeasurementTable::operator=(MeasurementTable&& other) noexcept
{
    if (this == &other)
        return *this;
    m_rows = std::exchange(other.m_rows, {});
    m_blocks = std::exchange(other.m_blocks, {});
    m_free = std::exchange(other.m_free, nullptr);
    m_room = std::exchange(other.m_room, 0);
    m_liveBytes = std::exchange(other.m_liveBytes, 0);
    m_wastedBytes = std::exchange(other.m_wastedBytes, 0);
    m_arenaBytes = std::exchange(other.m_arenaBytes, 0);
    m_rowCount = std::exchange(other.m_rowCount, kInitialRowCount);
    m_rowBase = std::exchange(other.m_rowBase, kInitialRowCount);
    m_lineFeeds = std::exchange(other.m_lineFeeds, 0);
    m_cursor = std::exchange(other.m_cursor, ReceiveCursor{});
    return *this;
}

void MeasurementTable::setRowCount(long long count)
{
    m_rowCount = int(std::clamp<long long>(count, 1, INT_MAX));
}

void MeasurementTable::setRowBase(long long count)
{
    setRowCount(count);
    m_rowBase = int(std::clamp<long long>(count, 0, INT_MAX));
    m_lineFeeds = 0;
}

std::string_view MeasurementTable::cell(int column, int row) const
{
    if (column < 0 || column >= kColumnCount || row < 0 || std::size_t(row) >= m_rows.size())
        return {};
    const std::uint8_t* buffer = m_rows[std::size_t(row)];
    if (!buffer)
        return {};
    Lengths lengths;
    std::size_t cellBytes;
    std::size_t offset = decodeLengths(buffer, lengths, cellBytes);
    for (int c = 0; c < column; ++c)
        offset += lengths[std::size_t(c)];
    return {reinterpret_cast<const char*>(buffer + offset), lengths[std::size_t(column)]};
}

MeasurementTable::RowCells MeasurementTable::row(int row) const
{
    RowCells cells{};
    if (row < 0 || std::size_t(row) >= m_rows.size() || !m_rows[std::size_t(row)])
        return cells;
    const std::uint8_t* buffer = m_rows[std::size_t(row)];
    Lengths lengths;
    std::size_t cellBytes;
    std::size_t offset = decodeLengths(buffer, lengths, cellBytes);
    for (std::size_t c = 0; c < cells.size(); ++c) {
        cells[c] = {reinterpret_cast<const char*>(buffer + offset), lengths[c]};
        offset += lengths[c];
    }
    return cells;
}

std::size_t MeasurementTable::writeLine(int row, char* out, std::size_t room) const
{
    const std::uint8_t* buffer =
        row >= 0 && std::size_t(row) < m_rows.size() ? m_rows[std::size_t(row)] : nullptr;
    if (!buffer) {
        constexpr std::string_view kEmptyLine = ";;;;;;;;;;;\r\n";
        if (kEmptyLine.size() <= room)
            std::memcpy(out, kEmptyLine.data(), kEmptyLine.size());
        return kEmptyLine.size();
    }
    Lengths lengths;
    std::size_t cellBytes;
    const std::uint8_t* cells = buffer + decodeShortLengths(buffer, lengths, cellBytes);
    const std::size_t size = cellBytes + kColumnCount + 2;
    if (size > room)
        return size;
    out = copyCells(out, cells, cells + cellBytes, lengths, room - size >= kWideCopy);
    out[0] = '\r';
    out[1] = '\n';
    return size;
}

void MeasurementTable::setCell(int column, int row, std::string_view text)
{
    setCells(row, column, &text, 1);
}

void MeasurementTable::setCells(int row, int firstColumn, const std::string_view* texts, int count)
{
    if (row < 0 || firstColumn < 0 || firstColumn >= kColumnCount || count <= 0)
        return;
    const int lastColumn = std::min(kColumnCount, firstColumn + count);
    const auto r = std::size_t(row);
    if (r >= m_rows.size()) {
        if (std::all_of(texts, texts + (lastColumn - firstColumn), [](auto t) { return t.empty(); }))
            return;
        m_rows.resize(r + 1, nullptr);
    }

    // A whole row replaces every cell: the old row need not be read.
    if (firstColumn == 0 && lastColumn == kColumnCount) {
        storeRow(r, std::span<const std::string_view, kColumnCount>(texts, kColumnCount));
        return;
    }
    RowCells cells = this->row(row);
    for (int c = firstColumn; c < lastColumn; ++c)
        cells[std::size_t(c)] = texts[c - firstColumn];
    storeRow(r, cells);
}

void MeasurementTable::storeRow(std::size_t r, std::span<const std::string_view, kColumnCount> cells)
{
    std::size_t size = 0;
    bool empty = true;
    for (auto cellText : cells) {
        size += varintSize(cellText.size()) + cellText.size();
        empty = empty && cellText.empty();
    }
    // The new row is written before the old one is released: the cells may
    // point into it, and allocating never moves a stored row.
    std::uint8_t* fresh = nullptr;
    if (!empty) {
        fresh = allocate(size);
        std::uint8_t* out = fresh;
        for (auto cellText : cells)
            out = encodeVarint(out, cellText.size());
        for (auto cellText : cells) {
            copyExactly(reinterpret_cast<char*>(out), reinterpret_cast<const std::uint8_t*>(cellText.data()),
                        cellText.size());
            out += cellText.size();
        }
        m_liveBytes += size;
    }
    release(m_rows[r]);
    m_rows[r] = fresh;
    compactIfWasteful();
}

std::uint8_t* MeasurementTable::allocate(std::size_t size)
{
    if (size > kLargeRow) {
        m_blocks.push_back(PopulatedMemory::allocate(size));
        m_arenaBytes += size;
        return m_blocks.back().get();
    }
    if (size > m_room) {
        // Blocks grow with the table, so a small table holds little memory.
        const std::size_t blockSize = std::max(size, std::clamp(m_arenaBytes, kFirstBlockSize, kBlockSize));
        m_blocks.push_back(PopulatedMemory::allocate(blockSize));
        m_arenaBytes += blockSize;
        m_free = m_blocks.back().get();
        m_room = blockSize;
    }
    std::uint8_t* row = m_free;
    m_free += size;
    m_room -= size;
    return row;
}

void MeasurementTable::release(std::uint8_t* row)
{
    if (!row)
        return;
    const std::size_t size = rowSize(row);
    m_liveBytes -= size;
    m_wastedBytes += size;
}

void MeasurementTable::compactIfWasteful()
{
    if (m_wastedBytes < kMinWasteToCompact || m_wastedBytes < m_liveBytes)
        return;
    MeasurementTable fresh;
    fresh.m_rows.resize(m_rows.size(), nullptr);
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
        if (!m_rows[r])
            continue;
        const std::size_t size = rowSize(m_rows[r]);
        fresh.m_rows[r] = fresh.allocate(size);
        std::memcpy(fresh.m_rows[r], m_rows[r], size);
    }
    m_rows = std::move(fresh.m_rows);
    m_blocks = std::move(fresh.m_blocks);
    m_free = std::exchange(fresh.m_free, nullptr);
    m_room = std::exchange(fresh.m_room, 0);
    m_arenaBytes = fresh.m_arenaBytes;
    m_wastedBytes = 0;
}

void MeasurementTable::clearRow(int row)
{
    if (row < 0 || std::size_t(row) >= m_rows.size())
        return;
    release(m_rows[std::size_t(row)]);
    m_rows[std::size_t(row)] = nullptr;
}

void MeasurementTable::writeHeader()
{
    // "Čas" in code page 1250 (\310 is 0xC8), as the program's saved files have always carried it.
    static constexpr std::string_view kHeader[] = {"Datum", "\310as", "T1", "T2", "T3",
                                                   "T4",    "T5",     "T6", "T7", "T8"};
    setCells(0, 0, kHeader, 10);
}

void MeasurementTable::resetForDownload()
{
    clearRow(1);
    setRowBase(2);
    m_cursor = ReceiveCursor{};
}
