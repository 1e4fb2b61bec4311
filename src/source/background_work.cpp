#include "source/background_work.h"

#include <future>
#include <thread>

namespace varnemo {

void RunInBackground(const std::function<void()>& work, const std::function<void()>& whileWaiting,
                     std::chrono::milliseconds interval)
{
    std::packaged_task<void()> task(work);
    auto ended = task.get_future();
    std::thread worker(std::move(task));
    while (ended.wait_for(interval) != std::future_status::ready)
        whileWaiting();
    worker.join();
    ended.get();
}

}  // namespace varnemo
