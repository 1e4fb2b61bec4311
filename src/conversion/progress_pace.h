#pragma once

#include <chrono>
#include <optional>

namespace varnemo {

// How often a window shows a conversion's progress. A person reads a few updates a second, and
// painting them costs more than converting an item: painted for every item, the labels and the
// bar of the desktop window took fifteen times as long as the conversion they showed.
class ProgressPace {
public:
    static constexpr std::chrono::milliseconds kInterval{100};

    // True before anything was shown and once the interval has passed since it last was.
    bool Due() const;
    void Shown();

private:
    std::optional<std::chrono::steady_clock::time_point> lastShown_;
};

}  // namespace varnemo
