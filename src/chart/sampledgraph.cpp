#include "chart/sampledgraph.h"

#include <algorithm>
#include <limits>

namespace
{

using Point = QCPGraphDataContainer::const_iterator;

// The first point from `from` on whose key is not below `limit`, or `end`:
// a doubling step, then a binary search, so a column of n points costs log n.
Point columnEnd(Point from, Point end, double limit)
{
    std::ptrdiff_t step = 1;
    Point low = from;
    while (step < end - low && (low + step)->key < limit) {
        low += step;
        step *= 2;
    }
    const Point high = step < end - low ? low + step : end;
    return std::lower_bound(low, high, limit,
                            [](const QCPGraphData& point, double key) { return point.key < key; });
}

} // namespace

SampledGraph::SampledGraph(QCPAxis* keyAxis, QCPAxis* valueAxis) : QCPGraph(keyAxis, valueAxis) {}

void SampledGraph::setReadings(std::vector<double> readings)
{
    QVector<QCPGraphData> points;
    points.reserve(qsizetype(readings.size()));
    for (std::size_t i = 0; i < readings.size(); ++i)
        points.append(QCPGraphData(double(i), readings[i]));
    data()->set(points, true);
    m_extremes = ValueExtremes(std::move(readings));
}

// The same decision as QCPGraph: sample once there are at least two points
// per pixel on average.
bool SampledGraph::samples(Point begin, Point end) const
{
    if (!mAdaptiveSampling)
        return false;
    const double keyPixelSpan =
        qAbs(keyAxis()->coordToPixel(begin->key) - keyAxis()->coordToPixel((end - 1)->key));
    if (!(2 * keyPixelSpan + 2 < double(std::numeric_limits<int>::max())))
        return false;
    return int(end - begin) >= int(2 * keyPixelSpan + 2);
}

void SampledGraph::getOptimizedLineData(QVector<QCPGraphData>* lineData, const Point& begin,
                                        const Point& end) const
{
    const bool indexed = m_extremes.size() == std::size_t(mDataContainer->size());
    if (!lineData || !keyAxis() || !valueAxis() || begin == end || !indexed || !samples(begin, end)) {
        QCPGraph::getOptimizedLineData(lineData, begin, end);
        return;
    }
    sampleColumns(*lineData, begin, end);
}

// Walks pixel columns instead of points. Each column starts at the pixel
// boundary at or before its first point and spans one pixel (keyEpsilon);
// a column of one point gives that point, a column of several gives its
// smallest and largest reading, preceded by its first one when the column
// before ended more than a pixel away and followed by its last one when the
// next column starts more than a pixel away.
void SampledGraph::sampleColumns(QVector<QCPGraphData>& lineData, Point begin, Point end) const
{
    QCPAxis* axis = keyAxis();
    const int reversedFactor = axis->pixelOrientation();
    const int reversedRound = reversedFactor == -1 ? 1 : 0;
    const bool logarithmic = axis->scaleType() == QCPAxis::stLogarithmic;
    const auto columnStart = [&](double key) {
        return axis->pixelToCoord(int(axis->coordToPixel(key) + reversedRound));
    };
    const auto columnWidth = [&](double start) {
        return qAbs(start - axis->pixelToCoord(axis->coordToPixel(start) + 1.0 * reversedFactor));
    };
    const Point container = mDataContainer->constBegin();

    double start = columnStart(begin->key);
    double width = columnWidth(start);
    double lastColumnEndKey = start;
    for (Point first = begin;;) {
        const Point next = columnEnd(first + 1, end, start + width);
        if (next - first < 2) {
            lineData.append(*first);
        } else {
            const auto extremes =
                m_extremes.of(std::size_t(first - container), std::size_t(next - container));
            if (lastColumnEndKey < start - width)
                lineData.append(QCPGraphData(start + width * 0.2, first->value));
            lineData.append(QCPGraphData(start + width * 0.25, extremes.min));
            lineData.append(QCPGraphData(start + width * 0.75, extremes.max));
            if (next != end && next->key > start + width * 2)
                lineData.append(QCPGraphData(start + width * 0.8, (next - 1)->value));
        }
        if (next == end)
            return;
        lastColumnEndKey = (next - 1)->key;
        first = next;
        start = columnStart(first->key);
        if (logarithmic)
            width = columnWidth(start);
    }
}
