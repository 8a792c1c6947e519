#pragma once

#include <cstddef>
#include <vector>

// The smallest and largest reading of any run of readings without walking the
// whole run: the readings are summarised in blocks, so a run costs its blocks
// plus at most two partial blocks at its ends.
class ValueExtremes
{
  public:
    struct Extremes {
        double min;
        double max;
    };

    ValueExtremes() = default;
    explicit ValueExtremes(std::vector<double> values);

    const std::vector<double>& values() const { return m_values; }
    std::size_t size() const { return m_values.size(); }

    // The extremes of values[first, last), first < last, as a walk from
    // values[first] that keeps a strictly smaller or larger value finds them:
    // a NaN at first gives NaN for both, later NaNs are passed over, and of
    // equal values (0 and -0) the earliest stays.
    Extremes of(std::size_t first, std::size_t last) const;

  private:
    static constexpr std::size_t kBlockSize = 64;

    std::vector<double> m_values;
    // Per block the extremes of its numbers (NaN for a block without any).
    std::vector<double> m_blockMin;
    std::vector<double> m_blockMax;
};
