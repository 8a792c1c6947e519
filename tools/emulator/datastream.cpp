#include "datastream.h"

#include "requestparser.h"

#include <algorithm>

namespace emulator
{

namespace
{

constexpr std::size_t LongRowBytes = 10 * 1024 * 1024;
constexpr std::size_t ManySeparators = 1'000'000;

} // namespace

DataStream::DataStream(const ReadingLog& log, Fault fault, std::size_t cutAfter) : m_log(log)
{
    plan(fault, cutAfter);
}

void DataStream::plan(Fault fault, std::size_t cutAfter)
{
    const std::size_t rows = m_log.rowCount();
    switch (fault) {
    case Fault::ResetMidRow:
    case Fault::CloseMidRow:
        planCut(std::min(cutAfter, rows));
        m_endAction = fault == Fault::ResetMidRow ? EndAction::Reset : EndAction::Close;
        return;
    case Fault::LongRow:
        planLongRow();
        return;
    case Fault::ManySeparators:
        addRepeat(';', ManySeparators);
        addText(m_log.lineEnd());
        break;
    case Fault::E9First:
        addText(std::string(1, char(ConfigReplyMarker)));
        break;
    default:
        break;
    }
    addRows(0, rows);
    addText(m_log.lineEnd());
}

// Complete rows, then the first half of the next row, cut inside a cell.
void DataStream::planCut(std::size_t cutAfter)
{
    addRows(0, cutAfter);
    std::string row;
    m_log.appendRow(cutAfter, row);
    row.resize(row.size() / 2);
    addText(row);
}

// The date and time of the first row, then digits up to 10 MiB, and nothing more.
void DataStream::planLongRow()
{
    std::string start;
    m_log.appendRow(0, start);
    start.resize(start.find(';', start.find(';') + 1) + 1);
    addText(start);
    addRepeat('7', LongRowBytes - start.size());
}

void DataStream::addText(std::string text)
{
    m_segments.push_back({Segment::Kind::Text, std::move(text)});
}

void DataStream::addRows(std::size_t first, std::size_t count)
{
    m_segments.push_back({Segment::Kind::Rows, {}, first, count});
}

void DataStream::addRepeat(char byte, std::size_t count)
{
    m_segments.push_back({Segment::Kind::Repeat, {}, 0, count, byte});
}

void DataStream::fill(std::string& out, std::size_t budget)
{
    while (!finished() && out.size() < budget) {
        if (!fillSegment(m_segments[m_segment], out, budget))
            continue;
        ++m_segment;
        m_done = 0;
    }
}

// Returns true once the segment is produced completely.
bool DataStream::fillSegment(const Segment& s, std::string& out, std::size_t budget)
{
    const std::size_t room = budget - out.size();
    switch (s.kind) {
    case Segment::Kind::Text: {
        const std::size_t n = std::min(room, s.text.size() - m_done);
        out.append(s.text, m_done, n);
        m_done += n;
        return m_done == s.text.size();
    }
    case Segment::Kind::Repeat: {
        const std::size_t n = std::min(room, s.count - m_done);
        out.append(n, s.byte);
        m_done += n;
        return m_done == s.count;
    }
    case Segment::Kind::Rows:
        while (m_done < s.count && out.size() < budget)
            m_log.appendRow(s.first + m_done++, out);
        return m_done == s.count;
    }
    return true;
}

} // namespace emulator
