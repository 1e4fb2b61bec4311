#include "common/errors.h"
#include "common/run_unless_stopped.h"

#include <gtest/gtest.h>

#include <future>
#include <string>

namespace varnemo {
namespace {

TEST(RunUnlessStopped, GivesWhatTheWorkReturnsOrThrows)
{
    StopRequest stop;
    EXPECT_EQ(RunUnlessStopped<std::string>([] { return std::string("opened"); }, stop), "opened");
    EXPECT_THROW(RunUnlessStopped<int>([]() -> int { throw ComponentError("damaged"); }, stop), ComponentError);
}

TEST(RunUnlessStopped, AStopRequestedBeforehandStartsNoWork)
{
    StopRequest stop;
    stop.Request();
    auto started = std::make_shared<bool>(false);
    EXPECT_THROW(RunUnlessStopped<int>([started] { return *started = true; }, stop), WorkStopped);
    EXPECT_FALSE(*started);
}

// The work stands for a library call that takes minutes and cannot be interrupted.
TEST(RunUnlessStopped, AStopEndsTheWaitAtOnceAndTheWorkDropsItsResultWhenItEnds)
{
    struct Result {
        explicit Result(std::shared_ptr<std::promise<void>> whenDropped) : dropped(std::move(whenDropped)) {}
        Result(const Result&) = delete;
        Result& operator=(const Result&) = delete;
        ~Result() { dropped->set_value(); }
        std::shared_ptr<std::promise<void>> dropped;
    };
    auto started = std::make_shared<std::promise<void>>();
    auto release = std::make_shared<std::promise<void>>();
    auto dropped = std::make_shared<std::promise<void>>();
    auto droppedYet = dropped->get_future();
    const auto work = [started, gate = release->get_future().share(), dropped] {
        started->set_value();
        gate.wait();
        return std::make_shared<Result>(dropped);
    };

    StopRequest stop;
    std::thread user([&stop, startedYet = started->get_future()] {
        startedYet.wait();
        stop.Request();
    });
    EXPECT_THROW(RunUnlessStopped<std::shared_ptr<Result>>(work, stop), WorkStopped);
    user.join();
    EXPECT_EQ(droppedYet.wait_for(std::chrono::seconds(0)), std::future_status::timeout)
        << "the wait ended while the work was still under way";

    release->set_value();
    EXPECT_EQ(droppedYet.wait_for(std::chrono::seconds(30)), std::future_status::ready)
        << "the ended work let go of its result";
}

}  // namespace
}  // namespace varnemo
