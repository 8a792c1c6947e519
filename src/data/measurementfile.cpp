#include "data/measurementfile.h"

#include "data/measurementtable.h"

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace
{

constexpr char kSeparator = ';';

// Lines are handed on in pieces of about this size, so that a large table
// is written as it is built rather than held twice.
constexpr std::size_t kChunkSize = std::size_t(1) << 20;
constexpr std::size_t kChunkSlack = std::size_t(64) << 10;

// The fields of one line as its separators are found. One object serves
// every line of a file: setting up eleven fields per line costs as much as
// finding them.
class LineFields
{
  public:
    explicit LineFields(std::string_view bytes) : m_bytes(bytes) {}

    void startLine(std::size_t lineStart)
    {
        m_count = 0;
        m_fieldStart = lineStart;
    }

    // Text after the line's last separator is no field.
    void separatorAt(std::size_t pos)
    {
        if (m_count < MeasurementTable::kColumnCount)
            m_fields[std::size_t(m_count++)] = m_bytes.substr(m_fieldStart, pos - m_fieldStart);
        m_fieldStart = pos + 1;
    }

    void storeInto(MeasurementTable& table, int row) const
    {
        table.setCells(row, 0, m_fields.data(), m_count);
    }

  private:
    std::string_view m_bytes;
    std::array<std::string_view, MeasurementTable::kColumnCount> m_fields;
    int m_count = 0;
    std::size_t m_fieldStart = 0;
};

#ifdef __SSE2__
// Finds separators and the line's end sixteen bytes at a time while sixteen
// bytes remain; returns the position of the line end, or where it stopped.
std::size_t scanWide(std::string_view bytes, std::size_t pos, LineFields& fields, bool& ended)
{
    const __m128i separator = _mm_set1_epi8(kSeparator);
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; pos + 16 <= bytes.size(); pos += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data() + pos));
        unsigned separators = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, separator)));
        const unsigned ends =
            unsigned(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, lf))));
        if (ends != 0)
            separators &= (ends & (0u - ends)) - 1; // only those before the first line end
        for (; separators != 0; separators &= separators - 1)
            fields.separatorAt(pos + std::size_t(__builtin_ctz(separators)));
        if (ends != 0) {
            ended = true;
            return pos + std::size_t(__builtin_ctz(ends));
        }
    }
    return pos;
}
#endif

// Stores the fields of the line that starts at bytes[pos] into row `row` and
// returns the position of the byte that ends the line (or bytes.size()).
std::size_t loadLine(MeasurementTable& table, int row, std::string_view bytes, std::size_t pos,
                     LineFields& fields)
{
    fields.startLine(pos);
    bool ended = false;
#ifdef __SSE2__
    pos = scanWide(bytes, pos, fields, ended);
#endif
    for (; !ended && pos < bytes.size(); ++pos) {
        const char ch = bytes[pos];
        if (ch == '\r' || ch == '\n')
            break;
        if (ch == kSeparator)
            fields.separatorAt(pos);
    }
    fields.storeInto(table, row);
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
    // A small table takes a buffer of about its own size, not a whole piece.
    // The room past a piece lets the table copy short cells in wide steps.
    const std::size_t lineOverhead = std::size_t(MeasurementTable::kColumnCount) + 2;
    std::size_t capacity =
        std::min(kChunkSize, table.cellBytes() + std::size_t(table.rowCount()) * lineOverhead) + kChunkSlack;
    auto chunk = std::make_unique_for_overwrite<char[]>(capacity);
    std::size_t used = 0;
    for (int row = 0; row < table.rowCount(); ++row) {
        std::size_t size = table.writeLine(row, chunk.get() + used, capacity - used);
        if (size > capacity - used) {
            if (used > 0)
                write(std::string_view(chunk.get(), used));
            used = 0;
            if (size + kChunkSlack > capacity) {
                capacity = size + kChunkSlack;
                chunk = std::make_unique_for_overwrite<char[]>(capacity);
            }
            size = table.writeLine(row, chunk.get(), capacity);
        }
        used += size;
        if (used >= kChunkSize) {
            write(std::string_view(chunk.get(), used));
            used = 0;
        }
    }
    if (used > 0)
        write(std::string_view(chunk.get(), used));
}

std::string serialize(const MeasurementTable& table)
{
    std::string out;
    serialize(table, [&out](std::string_view chunk) { out.append(chunk); });
    return out;
}

void load(MeasurementTable& table, std::string_view fileBytes)
{
    LineFields fields(fileBytes);
    long long lines = 0;
    for (std::size_t pos = 0; pos < fileBytes.size(); ++lines) {
        const auto row = static_cast<int>(lines);
        pos = skipLineBreak(fileBytes, loadLine(table, row, fileBytes, pos, fields));
    }
    table.setRowBase(lines);
}

} // namespace MeasurementFile
