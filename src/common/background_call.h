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
// everything it touches. What it returns is kept for as long as the call is held, and the call
// holds itself until the work has ended.
template <typename Result>
class BackgroundCall {
public:
    static std::shared_ptr<BackgroundCall> Start(std::function<Result()> work)
    {
        std::shared_ptr<BackgroundCall> call(new BackgroundCall);
        call->self_ = call;
        std::thread([held = call.get(), work = std::move(work)] { held->Run(work); }).detach();
        return call;
    }

    // What the work returned, or what it threw; WorkStopped as soon as stop is requested first.
    Result Wait(const StopRequest* stop, std::chrono::milliseconds interval = std::chrono::milliseconds(20))
    {
        std::shared_ptr<BackgroundCall> self;  // let go of once the lock is: it may hold the call last
        std::unique_lock lock(mutex_);
        ++waiting_;
        while (!ended_.wait_for(lock, interval, [this] { return done_; })) {
            if (stop && stop->Requested()) {
                --waiting_;
                throw WorkStopped();
            }
        }
        --waiting_;
        self = std::move(self_);
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
        // Whoever waits lets go of the call when the wait ends, so that what the work returned is
        // released by the last of its users, not by this thread at some later moment; with nobody
        // waiting, the call is let go of here, after the lock, and this thread touches it no more.
        std::shared_ptr<BackgroundCall> unwaited;
        const std::lock_guard lock(mutex_);
        result_ = std::move(result);
        failure_ = std::move(failure);
        done_ = true;
        if (waiting_ == 0)
            unwaited = std::move(self_);
        ended_.notify_all();
    }

    // Keeps the call until the work has ended and a waiter, or the work's thread, lets go of it.
    std::shared_ptr<BackgroundCall> self_;
    std::mutex mutex_;
    std::condition_variable ended_;
    int waiting_ = 0;
    bool done_ = false;
    std::optional<Result> result_;
    std::exception_ptr failure_;
};

}  // namespace varnemo
