#include "chart/valueextremes.h"

#include <cmath>

namespace
{

// The walk's rule: a value replaces the current extreme only when strictly
// beyond it, so NaNs and later equal values never do.
void widen(ValueExtremes::Extremes& extremes, double value)
{
    if (value < extremes.min)
        extremes.min = value;
    if (value > extremes.max)
        extremes.max = value;
}

// As widen(), but a NaN extreme (a block without numbers so far) takes any value.
void widenBlock(double& min, double& max, double value)
{
    if (std::isnan(min) || value < min)
        min = value;
    if (std::isnan(max) || value > max)
        max = value;
}

} // namespace

ValueExtremes::ValueExtremes(std::vector<double> values) : m_values(std::move(values))
{
    const std::size_t blocks = m_values.size() / kBlockSize;
    m_blockMin.assign(blocks, std::nan(""));
    m_blockMax.assign(blocks, std::nan(""));
    for (std::size_t block = 0; block < blocks; ++block) {
        const std::size_t start = block * kBlockSize;
        for (std::size_t i = start; i < start + kBlockSize; ++i)
            widenBlock(m_blockMin[block], m_blockMax[block], m_values[i]);
    }
}

ValueExtremes::Extremes ValueExtremes::of(std::size_t first, std::size_t last) const
{
    Extremes extremes{m_values[first], m_values[first]};
    if (std::isnan(extremes.min))
        return extremes;
    std::size_t i = first + 1;
    const std::size_t firstWholeBlock = (i + kBlockSize - 1) / kBlockSize;
    const std::size_t endWholeBlock = last / kBlockSize;
    if (firstWholeBlock >= endWholeBlock) {
        for (; i < last; ++i)
            widen(extremes, m_values[i]);
        return extremes;
    }
    for (; i < firstWholeBlock * kBlockSize; ++i)
        widen(extremes, m_values[i]);
    for (std::size_t block = firstWholeBlock; block < endWholeBlock; ++block) {
        widen(extremes, m_blockMin[block]);
        widen(extremes, m_blockMax[block]);
    }
    for (i = endWholeBlock * kBlockSize; i < last; ++i)
        widen(extremes, m_values[i]);
    return extremes;
}
