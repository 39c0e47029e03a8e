// Small helpers the benchmarks share: CPU clocks, percentiles and the machine line.
#pragma once

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <thread>
#include <vector>

namespace bench {

inline double threadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + now.tv_nsec * 1e-9;
}

inline double processCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + now.tv_nsec * 1e-9;
}

inline double monotonicSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + now.tv_nsec * 1e-9;
}

// The value below which `fraction` of the samples lie (nearest rank); 0 for no samples.
inline double percentile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    auto rank = static_cast<std::size_t>(fraction * static_cast<double>(values.size()));
    return values[std::min(rank, values.size() - 1)];
}

inline void printMachine()
{
    std::printf("cores: %u\n", std::thread::hardware_concurrency());
}

} // namespace bench
