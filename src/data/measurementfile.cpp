#include "data/measurementfile.h"

#include "data/measurementtable.h"

#include <algorithm>
#include <array>

namespace
{

constexpr char kSeparator = ';';
constexpr std::string_view kLineEnd = "\r\n";

std::size_t lineSize(const MeasurementTable& table, int row)
{
    std::size_t size = MeasurementTable::kColumnCount + kLineEnd.size();
    for (int column = 0; column < MeasurementTable::kColumnCount; ++column)
        size += table.cell(column, row).size();
    return size;
}

// Sized from a sample of rows spread over the table: reading every cell twice
// would cost more than the rare reallocation when the guess is short.
std::size_t estimatedSize(const MeasurementTable& table)
{
    constexpr int kSamples = 64;
    const int rows = table.rowCount();
    const int step = std::max(1, rows / kSamples);
    std::size_t sampled = 0;
    int count = 0;
    for (int row = 0; row < rows; row += step, ++count)
        sampled += lineSize(table, row);
    const std::size_t estimate = sampled / std::size_t(count) * std::size_t(rows);
    return estimate + estimate / 8;
}

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

std::string serialize(const MeasurementTable& table)
{
    std::string out;
    out.reserve(estimatedSize(table));
    for (int row = 0; row < table.rowCount(); ++row) {
        for (std::string_view cell : table.row(row)) {
            out.append(cell);
            out.push_back(kSeparator);
        }
        out.append(kLineEnd);
    }
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
