#pragma once

#include <sys/resource.h>

// The most memory the process has held so far, in megabytes (the resident set's peak).
inline double PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}
