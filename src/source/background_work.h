#pragma once

#include <chrono>
#include <functional>

namespace varnemo {

// Runs work on a thread of its own while the calling thread keeps its window alive: it calls
// whileWaiting every interval until the work has ended, then returns, or throws what the work
// threw. The work must touch nothing that whileWaiting touches; they meet through atomics.
void RunInBackground(const std::function<void()>& work, const std::function<void()>& whileWaiting,
                     std::chrono::milliseconds interval = std::chrono::milliseconds(20));

}  // namespace varnemo
