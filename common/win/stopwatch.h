// Time since a start, from the performance counter: the timer messages and GetTickCount step
// in 10 to 16 ms, too coarse to share out a budget of a few milliseconds.
#pragma once

#include <windows.h>

class Stopwatch {
public:
    Stopwatch() { restart(); }

    void restart() { QueryPerformanceCounter(&start_); }

    double elapsed_ms() const
    {
        LARGE_INTEGER now, frequency;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(now.QuadPart - start_.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
    }

private:
    LARGE_INTEGER start_{};
};
