#include "common/background_call.h"
#include "common/errors.h"
#include "common/shared_calls.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <string>
#include <thread>

namespace varnemo {
namespace {

TEST(BackgroundCall, GivesWhatTheWorkReturnsOrThrows)
{
    EXPECT_EQ(BackgroundCall<std::string>::Start([] { return std::string("opened"); })->Wait(nullptr), "opened");
    const auto failing = BackgroundCall<int>::Start([]() -> int { throw ComponentError("damaged"); });
    EXPECT_THROW(failing->Wait(nullptr), ComponentError);
}

// The work stands for a library call that takes minutes and cannot be interrupted; it blocks
// until the test releases it.
class BlockedWork {
public:
    struct Result {
        explicit Result(std::shared_ptr<std::promise<void>> whenDropped) : dropped(std::move(whenDropped)) {}
        Result(const Result&) = delete;
        Result& operator=(const Result&) = delete;
        ~Result() { dropped->set_value(); }
        std::shared_ptr<std::promise<void>> dropped;
    };
    using Returned = std::shared_ptr<Result>;

    // The work owns what it touches: the test may be gone when it ends.
    std::function<Returned()> Work()
    {
        return [started = started_, starts = starts_, gate = release_->get_future().share(), dropped = dropped_] {
            ++*starts;
            started->set_value();
            gate.wait();
            return std::make_shared<Result>(dropped);
        };
    }
    void WaitUntilStarted() { startedYet_.wait(); }
    void Release() { release_->set_value(); }
    int starts() const { return *starts_; }
    std::future<void>& dropped() { return droppedYet_; }

private:
    std::shared_ptr<std::promise<void>> started_ = std::make_shared<std::promise<void>>();
    std::future<void> startedYet_ = started_->get_future();
    std::shared_ptr<std::atomic<int>> starts_ = std::make_shared<std::atomic<int>>(0);
    std::shared_ptr<std::promise<void>> release_ = std::make_shared<std::promise<void>>();
    std::shared_ptr<std::promise<void>> dropped_ = std::make_shared<std::promise<void>>();
    std::future<void> droppedYet_ = dropped_->get_future();
};

TEST(BackgroundCall, AStopEndsTheWaitAtOnceAndTheWorkDropsItsResultWhenItEnds)
{
    BlockedWork blocked;
    auto call = BackgroundCall<BlockedWork::Returned>::Start(blocked.Work());
    StopRequest stop;
    std::thread user([&] {
        blocked.WaitUntilStarted();
        stop.Request();
    });
    EXPECT_THROW(call->Wait(&stop), WorkStopped);
    user.join();
    call.reset();
    EXPECT_EQ(blocked.dropped().wait_for(std::chrono::seconds(0)), std::future_status::timeout)
        << "the wait ended while the work was still under way";

    blocked.Release();
    EXPECT_EQ(blocked.dropped().wait_for(std::chrono::seconds(30)), std::future_status::ready)
        << "the ended work, held by nobody, let go of its result";
}

// A work's thread may linger after the work has ended (here: tearing down the work's own state
// slowly, as a busy machine may leave it unscheduled); what the work returned is released all the
// same as soon as its waiter lets go, on the waiter's thread, not at some later moment on that one.
TEST(BackgroundCall, WhatTheWorkReturnedGoesWithItsLastUserNotWithALingeringThread)
{
    struct Lingering {
        ~Lingering() { std::this_thread::sleep_for(std::chrono::milliseconds(200)); }
    };
    const auto releasedOn = std::make_shared<std::promise<std::thread::id>>();
    auto released = releasedOn->get_future();
    {
        const auto call = BackgroundCall<std::shared_ptr<int>>::Start([lingering = std::make_shared<Lingering>(),
                                                                        releasedOn] {
            return std::shared_ptr<int>(new int(7), [releasedOn](int* value) {
                delete value;
                releasedOn->set_value(std::this_thread::get_id());
            });
        });
        EXPECT_EQ(*call->Wait(nullptr), 7);
    }
    ASSERT_EQ(released.wait_for(std::chrono::seconds(0)), std::future_status::ready)
        << "what the work returned outlived its last user";
    EXPECT_EQ(released.get(), std::this_thread::get_id());
}

TEST(SharedCalls, AskingAgainWhileAStoppedCallIsUnderWayTakesItUp)
{
    SharedCalls<std::string, BlockedWork::Returned> calls;
    BlockedWork big;
    StopRequest stop;
    stop.Request();
    EXPECT_THROW(calls.Join("big.ost", big.Work())->Wait(&stop), WorkStopped);
    big.WaitUntilStarted();

    BlockedWork again;
    auto taken = calls.Join("big.ost", again.Work());
    again.Release();  // were it started after all, it would not block the test
    BlockedWork other;
    auto separate = calls.Join("other.ost", other.Work());
    other.Release();
    EXPECT_NE(separate->Wait(nullptr), nullptr);

    big.Release();
    EXPECT_NE(taken->Wait(nullptr), nullptr);
    EXPECT_EQ(big.starts(), 1);
    EXPECT_EQ(again.starts(), 0) << "the same file was not opened twice";
}

}  // namespace
}  // namespace varnemo
