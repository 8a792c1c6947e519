#include "data/measurementfile.h"

#include "data/measurementtable.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>
#include <functional>

namespace
{

constexpr char kSeparator = ';';
constexpr std::string_view kLineEnd = "\r\n";

// Lines are handed on in pieces of about this size, so that a large table
// is written as it is built rather than held twice.
constexpr std::size_t kChunkSize = std::size_t(1) << 20;

// Stores the fields of the line that starts at bytes[pos] into row `row` and
// returns the position of the byte that ends the line (or bytes.size()).
std::size_t loadLine(MeasurementTable& table, int row, std::string_view bytes, std::size_t pos)
{
    std::array<std::string_view, MeasurementTable::kColumnCount> fields;
    int count = 0;
    std::size_t fieldStart = pos;
    for (; pos < bytes.size(); ++pos) {
        const char ch = bytes[pos];
        if (ch == '\r' || ch == '\n')
            break;
        if (ch != kSeparator)
            continue;
        if (count < MeasurementTable::kColumnCount)
            fields[std::size_t(count++)] = bytes.substr(fieldStart, pos - fieldStart);
        fieldStart = pos + 1;
    }
    table.setCells(row, 0, fields.data(), count);
    return pos;
}

std::size_t skipLineBreak(std::string_view bytes, std::size_t pos)
{
    if (pos >= bytes.size())
        return pos;
    if (bytes[pos] == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n')
        return pos + 2;
    return pos + 1;
}

} // namespace

namespace MeasurementFile
{

void serialize(const MeasurementTable& table, const std::function<void(std::string_view)>& write)
{
    // Rows are written into the buffer by pointer: a million rows of eleven
    // cells make the per-append checks of a string the larger cost.
    std::vector<char> chunk;
    std::size_t used = 0;
    for (int row = 0; row < table.rowCount(); ++row) {
        const MeasurementTable::RowCells cells = table.row(row);
        std::size_t lineSize = cells.size() + kLineEnd.size();
        for (std::string_view cell : cells)
            lineSize += cell.size();
        if (used + lineSize > chunk.size())
            chunk.resize(std::max(chunk.size() * 2, used + lineSize));
        char* out = chunk.data() + used;
        for (std::string_view cell : cells) {
            if (!cell.empty())
                std::memcpy(out, cell.data(), cell.size());
            out += cell.size();
            *out++ = kSeparator;
        }
        std::memcpy(out, kLineEnd.data(), kLineEnd.size());
        used += lineSize;
        if (used >= kChunkSize) {
            write(std::string_view(chunk.data(), used));
            used = 0;
        }
    }
    if (used > 0)
        write(std::string_view(chunk.data(), used));
}

std::string serialize(const MeasurementTable& table)
{
    std::string out;
    serialize(table, [&out](std::string_view chunk) { out.append(chunk); });
    return out;
}

void load(MeasurementTable& table, std::string_view fileBytes)
{
    long long lines = 0;
    for (std::size_t pos = 0; pos < fileBytes.size(); ++lines) {
        const auto row = static_cast<int>(lines);
        pos = skipLineBreak(fileBytes, loadLine(table, row, fileBytes, pos));
    }
    table.setRowBase(lines);
}

} // namespace MeasurementFile
