#pragma once
// Timing helpers of the benchmarks: each prints medians, which ride out the
// odd slow run on a shared machine.

#include <QByteArray>
#include <QElapsedTimer>
#include <QtGlobal>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

// Every figure is one line, "NAME: VALUE ms, floor FLOOR ms", the floor
// being the least work that gives the same result, measured in the same
// process: absolute times move by a factor of four between these machines,
// the ratio does not.
inline void ReportMs(const char *name, double ms, double floorMs)
{
    std::printf("%s: %.3f ms, floor %.3f ms\n", name, ms, floorMs);
    std::fflush(stdout);
}

inline void ReportBytes(const char *name, double bytes, double floorBytes)
{
    std::printf("%s: %.0f B, floor %.0f B\n", name, bytes, floorBytes);
    std::fflush(stdout);
}

// The benchmarks need no display.
inline void UseOffscreenUnlessChosen()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

inline double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

// Median milliseconds of runs calls of step, which gets the run's index.
inline double MedianMs(int runs, const std::function<void(int)> &step)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        step(i);
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    return Median(ms);
}
