#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

// Seconds that one call of work takes, on the monotonic clock.
template <typename Work> double secondsOf(Work&& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline double median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2.0;
}

// The median of `runs` timed calls of work.
template <typename Work> double medianSecondsOf(int runs, Work&& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(secondsOf(work));
    return median(times);
}

inline double megabytesPerSecond(std::size_t bytes, double seconds)
{
    return double(bytes) / 1e6 / seconds;
}
