#include "data/measurementtable.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>

namespace {

// A stored row is one allocation: the lengths of the 11 cells as LEB128
// varints, followed by the cells' bytes. A typical reading costs about
// 11 bytes more than its text.
using Lengths = std::array<std::size_t, MeasurementTable::kColumnCount>;

std::size_t decodeLengths(const std::uint8_t* buffer, Lengths& lengths)
{
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
    }
    return pos;
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

} // namespace

void MeasurementTable::RowDeleter::operator()(std::uint8_t* p) const noexcept
{
    delete[] p;
}

MeasurementTable::MeasurementTable() = default;
MeasurementTable::~MeasurementTable() = default;
MeasurementTable::MeasurementTable(MeasurementTable&&) noexcept = default;
MeasurementTable& MeasurementTable::operator=(MeasurementTable&&) noexcept = default;

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
    const std::uint8_t* buffer = m_rows[std::size_t(row)].get();
    if (!buffer)
        return {};
    Lengths lengths;
    std::size_t offset = decodeLengths(buffer, lengths);
    for (int c = 0; c < column; ++c)
        offset += lengths[std::size_t(c)];
    return {reinterpret_cast<const char*>(buffer + offset), lengths[std::size_t(column)]};
}

MeasurementTable::RowCells MeasurementTable::row(int row) const
{
    RowCells cells{};
    if (row < 0 || std::size_t(row) >= m_rows.size() || !m_rows[std::size_t(row)])
        return cells;
    const std::uint8_t* buffer = m_rows[std::size_t(row)].get();
    Lengths lengths;
    std::size_t offset = decodeLengths(buffer, lengths);
    for (std::size_t c = 0; c < cells.size(); ++c) {
        cells[c] = {reinterpret_cast<const char*>(buffer + offset), lengths[c]};
        offset += lengths[c];
    }
    return cells;
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
        m_rows.resize(r + 1);
    }

    RowCells cells = this->row(row);
    for (int c = firstColumn; c < lastColumn; ++c)
        cells[std::size_t(c)] = texts[c - firstColumn];
    storeRow(r, cells);
}

void MeasurementTable::storeRow(std::size_t r, const std::array<std::string_view, kColumnCount>& cells)
{
    std::size_t size = 0;
    bool empty = true;
    for (auto cellText : cells) {
        size += varintSize(cellText.size()) + cellText.size();
        empty = empty && cellText.empty();
    }
    if (empty) {
        m_rows[r].reset();
        return;
    }

    RowBuffer fresh(new std::uint8_t[size]);
    std::uint8_t* out = fresh.get();
    for (auto cellText : cells)
        out = encodeVarint(out, cellText.size());
    for (auto cellText : cells) {
        if (!cellText.empty())
            std::memcpy(out, cellText.data(), cellText.size());
        out += cellText.size();
    }
    m_rows[r] = std::move(fresh);
}

void MeasurementTable::clearRow(int row)
{
    if (row >= 0 && std::size_t(row) < m_rows.size())
        m_rows[std::size_t(row)].reset();
}

void MeasurementTable::writeHeader()
{
    // "Čas" in code page 1250, as the program's saved files have always carried it.
    static constexpr std::string_view kHeader[] = {"Datum", "\xC8" "as", "T1", "T2", "T3",
                                                   "T4",    "T5",        "T6", "T7", "T8"};
    setCells(0, 0, kHeader, 10);
}

void MeasurementTable::resetForDownload()
{
    clearRow(1);
    setRowBase(2);
    m_cursor = ReceiveCursor{};
}

std::size_t MeasurementTable::cellBytes() const
{
    std::size_t total = 0;
    for (const auto& row : m_rows) {
        if (!row)
            continue;
        Lengths lengths;
        total += decodeLengths(row.get(), lengths);
        for (auto length : lengths)
            total += length;
    }
    return total;
}
