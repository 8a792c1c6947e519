#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace emulator
{

// The module's log of readings, made when the emulator starts (a million rows
// are about 45 MB); rows past the log are made on demand from their index.
class ReadingLog
{
  public:
    struct Shape {
        std::size_t rows = 0;
        int64_t lastSeconds = 0; // time of the last row (CivilTime scale)
        int interval = 10;
        int ports = 4;
        uint64_t seed = 1;
        bool crlf = false;
        char decimalSeparator = '.';
    };

    explicit ReadingLog(const Shape& shape);

    std::size_t rowCount() const { return m_shape.rows; }
    const std::string& lineEnd() const { return m_lineEnd; }

    // Appends "dd.mm.yy;HH:MM:SS;T1;...;T8;" and the line end. Any index is
    // valid: indices from rowCount() on lie in the future.
    void appendRow(std::size_t index, std::string& out) const;

  private:
    double temperature(int sensor, int64_t seconds) const;
    void makeRow(std::size_t index, std::string& out) const;

    Shape m_shape;
    std::string m_lineEnd;
    std::string m_rows;
    std::vector<std::size_t> m_rowEnds;
};

} // namespace emulator
