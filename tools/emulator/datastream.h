#pragma once

#include "options.h"
#include "readinglog.h"

#include <cstddef>
#include <string>
#include <vector>

namespace emulator
{

// What the connection does once an answer has been sent completely.
enum class EndAction { KeepOpen, Close, Reset };

// The answer to 0xE0: the rows of the log and the empty line that ends them,
// or, under a fault switch, the misshapen stream that the fault asks for.
// It is produced piece by piece into the send buffer.
class DataStream
{
  public:
    DataStream(const ReadingLog& log, Fault fault, std::size_t cutAfter);

    // Appends bytes to out until it holds at least budget bytes or the stream is done.
    void fill(std::string& out, std::size_t budget);
    bool finished() const { return m_segment >= m_segments.size(); }
    EndAction endAction() const { return m_endAction; }

  private:
    struct Segment {
        enum class Kind { Text, Rows, Repeat } kind;
        std::string text;
        std::size_t first = 0;
        std::size_t count = 0;
        char byte = 0;
    };

    void plan(Fault fault, std::size_t cutAfter);
    void planCut(std::size_t cutAfter);
    void planLongRow();
    void addText(std::string text);
    void addRows(std::size_t first, std::size_t count);
    void addRepeat(char byte, std::size_t count);
    bool fillSegment(const Segment& segment, std::string& out, std::size_t budget);

    const ReadingLog& m_log;
    std::vector<Segment> m_segments;
    std::size_t m_segment = 0;
    std::size_t m_done = 0; // rows, bytes or characters of the current segment already produced
    EndAction m_endAction = EndAction::KeepOpen;
};

} // namespace emulator
