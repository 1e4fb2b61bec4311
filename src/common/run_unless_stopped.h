#pragma once

#include "common/stop_request.h"

#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace varnemo {

// Runs work that cannot be interrupted (a library call that may take minutes) on a thread of its
// own and waits for it, unless the stop is requested first: then it throws WorkStopped at once
// and leaves the work to end on its thread, which drops what the work returns. The work must
// therefore own everything it touches, for its caller may be long gone when it ends. A stop
// requested before the call starts no work.
template <typename Result>
Result RunUnlessStopped(std::function<Result()> work, const StopRequest& stop,
                        std::chrono::milliseconds interval = std::chrono::milliseconds(20))
{
    if (stop.Requested())
        throw WorkStopped();
    struct Outcome {
        std::mutex mutex;
        std::condition_variable ended;
        bool done = false;
        std::optional<Result> result;
        std::exception_ptr failure;
    };
    auto outcome = std::make_shared<Outcome>();
    std::thread([outcome, work = std::move(work)] {
        std::optional<Result> result;
        std::exception_ptr failure;
        try {
            result.emplace(work());
        } catch (...) {
            failure = std::current_exception();
        }
        const std::lock_guard lock(outcome->mutex);
        outcome->result = std::move(result);
        outcome->failure = failure;
        outcome->done = true;
        outcome->ended.notify_all();
    }).detach();

    std::unique_lock lock(outcome->mutex);
    while (!outcome->ended.wait_for(lock, interval, [&] { return outcome->done; })) {
        if (stop.Requested())
            throw WorkStopped();
    }
    if (outcome->failure)
        std::rethrow_exception(outcome->failure);
    return std::move(*outcome->result);
}

}  // namespace varnemo
