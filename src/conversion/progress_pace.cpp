#include "conversion/progress_pace.h"

namespace varnemo {

bool ProgressPace::Due() const
{
    return !lastShown_ || std::chrono::steady_clock::now() - *lastShown_ >= kInterval;
}

void ProgressPace::Shown()
{
    lastShown_ = std::chrono::steady_clock::now();
}

}  // namespace varnemo
