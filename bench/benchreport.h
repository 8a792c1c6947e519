#pragma once

#include <string>
#include <string_view>

// What one benchmark prints: its figures, then one verdict line per goal in a
// form that bench/run-all.sh collects ("goal: <= 30x  measured: 12.3x  OK").
class BenchReport
{
  public:
    explicit BenchReport(std::string name);

    void figure(std::string_view label, double value, std::string_view unit);
    void note(std::string_view text);

    // Each returns whether the goal was met.
    bool atMost(std::string_view what, double goal, double measured, std::string_view unit);
    bool atLeast(std::string_view what, double goal, double measured, std::string_view unit);

    // 0 when every goal was met, 1 otherwise.
    int exitCode() const { return m_missed ? 1 : 0; }

  private:
    bool verdict(std::string_view what, std::string_view relation, double goal, double measured,
                 std::string_view unit, bool met);

    std::string m_name;
    bool m_missed = false;
};

// A number with as many decimals as its size deserves.
std::string formatFigure(double value);
