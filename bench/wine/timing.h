// Shared by the benchmark programs under Wine: the 10 MHz performance
// counter as milliseconds, the median of a list of samples, printing a list
// of samples as JSON, and the messages that ask the baseline program for
// the time of its loop and of its whole paint.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

constexpr UINT TIME_LOOP = WM_APP + 1;
constexpr UINT TIME_PAINT = WM_APP + 2;

inline double now_ms() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

inline double median(std::vector<double> samples) {
    if (samples.empty()) return 0.0;
    std::sort(samples.begin(), samples.end());
    std::size_t middle = samples.size() / 2;
    return samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2.0;
}

inline std::string json_list(const std::vector<double>& samples) {
    std::string out = "[";
    for (std::size_t i = 0; i < samples.size(); ++i) {
        char number[32];
        std::snprintf(number, sizeof number, "%s%.4f", i ? ", " : "", samples[i]);
        out += number;
    }
    return out + "]";
}
