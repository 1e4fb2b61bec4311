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

// Work that cannot be interrupted (a library call that may take minutes), run on a thread of its
// own. Whoever waits for it may stop waiting when the user asks to: the work then goes on to its
// end on its thread, and another waiter may take it up meanwhile. The work must therefore own
// everything it touches. What it returns is kept for as long as the call is held, and the
// thread holds it until the work has ended.
template <typename Result>
class BackgroundCall {
public:
    static std::shared_ptr<BackgroundCall> Start(std::function<Result()> work)
    {
        std::shared_ptr<BackgroundCall> call(new BackgroundCall);
        std::thread([call, work = std::move(work)] { call->Run(work); }).detach();
        return call;
    }

    // What the work returned, or what it threw; WorkStopped as soon as stop is requested first.
    Result Wait(const StopRequest* stop, std::chrono::milliseconds interval = std::chrono::milliseconds(20))
    {
        std::unique_lock lock(mutex_);
        while (!ended_.wait_for(lock, interval, [this] { return done_; })) {
            if (stop && stop->Requested())
                throw WorkStopped();
        }
        if (failure_)
            std::rethrow_exception(failure_);
        return *result_;
    }

private:
    BackgroundCall() = default;

    void Run(const std::function<Result()>& work)
    {
        std::optional<Result> result;
        std::exception_ptr failure;
        try {
            result.emplace(work());
        } catch (...) {
            failure = std::current_exception();
        }
        const std::lock_guard lock(mutex_);
        result_ = std::move(result);
        failure_ = failure;
        done_ = true;
        ended_.notify_all();
    }

    std::mutex mutex_;
    std::condition_variable ended_;
    bool done_ = false;
    std::optional<Result> result_;
    std::exception_ptr failure_;
};

}  // namespace varnemo
