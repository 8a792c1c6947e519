#pragma once

#include <string>
#include <vector>

// Readings as the module logs them: one every `intervalSeconds` from
// 30.04.08 13:39:53 on, so a million of them span several weeks, with
// temperatures that drift slowly and jitter by a few tenths.
class ReadingGenerator
{
  public:
    struct Day {
        int day;
        int month;
        int year;
    };

    explicit ReadingGenerator(int intervalSeconds = 5) : m_interval(intervalSeconds) {}

    // The data stream: rows like "30.04.08;13:39:53;21.5;22.0;20.9;21.1;;;;;" and a line feed.
    std::string stream(int rows) const;
    // A measurement file: the header line, then rows with all eight sensors;
    // every cell followed by ';', every line by CR LF.
    std::string file(int rows, char decimalSeparator) const;
    // T1 of each row as a number.
    std::vector<double> values(int rows) const;

    Day firstDay() const;
    // The day after the last reading's: a to-day that closes no range.
    Day dayAfterLast(int rows) const;

  private:
    void appendDateTime(std::string& out, long long row) const;
    static int tenths(long long row, int sensor);

    int m_interval;
};
