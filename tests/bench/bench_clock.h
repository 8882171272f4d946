#pragma once
// The benchmarks' clock: seconds from a fixed point, at the best resolution
// the system has.
#ifdef _WIN32
#include <windows.h>
#else
#include <time.h>
#endif

inline double BenchSeconds()
{
#ifdef _WIN32
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
#else
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec + ts.tv_nsec * 1e-9;
#endif
}

#include <algorithm>
#include <vector>

// The median of the samples; -1 when there are none.
inline double Median(std::vector<double> v)
{
    if (v.empty()) return -1;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
