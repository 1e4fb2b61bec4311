#include "conversion/overall_progress.h"

#include <fmt/format.h>

#include <algorithm>

namespace varnemo {
namespace {

std::string TimeLeftText(std::chrono::seconds left)
{
    const long minutes = static_cast<long>((left.count() + 59) / 60);
    if (minutes <= 1)
        return left.count() < 60 ? "less than a minute left" : "about 1 minute left";
    if (minutes < 120)
        return fmt::format("about {} minutes left", minutes);
    return fmt::format("about {} hours {} minutes left", minutes / 60, minutes % 60);
}

}  // namespace

std::optional<std::chrono::seconds> EstimateTimeLeft(long done, long total, std::chrono::milliseconds elapsed)
{
    if (done <= 0)
        return std::nullopt;
    const long rest = std::max(total - done, 0L);
    // Rounded up, so that the last item is never said to take no time.
    const auto perItemTimesRest = elapsed.count() * rest;
    return std::chrono::seconds((perItemTimesRest / done + 999) / 1000);
}

std::string OverallProgressText(const OverallProgress& progress)
{
    std::string text = fmt::format("{} of {} items", progress.done, progress.total);
    if (progress.left)
        text += ", " + TimeLeftText(*progress.left);
    return text;
}

}  // namespace varnemo
