#pragma once

#include <atomic>
#include <exception>

namespace varnemo {

// A request that long work stop after the step it is on. The user makes it from the window's
// Cancel button, from another thread, or from a signal handler (Ctrl+C on the terminal): setting
// and reading it is one lock-free atomic operation, which a signal handler may do.
class StopRequest {
public:
    void Request() noexcept { requested_.store(true); }
    bool Requested() const noexcept { return requested_.load(); }
    // Ready for the next piece of work.
    void Clear() noexcept { requested_.store(false); }

private:
    static_assert(std::atomic<bool>::is_always_lock_free, "a signal handler must be able to set it");
    std::atomic<bool> requested_{false};
};

// Unwinds work that the user stopped part-way; whoever started the work catches it and leaves
// things as they were before the work began.
class WorkStopped : public std::exception {
public:
    const char* what() const noexcept override { return "stopped by the user"; }
};

}  // namespace varnemo
