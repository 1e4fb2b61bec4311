#pragma once

#include "common/background_call.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>

namespace varnemo {

// Background calls under way, by what they work out: asking for the same thing while its call
// is still held (running, or ended and not yet let go) takes up that call instead of starting a
// second one beside it. Holds no call itself: one that everybody has let go is gone.
template <typename Key, typename Result>
class SharedCalls {
public:
    std::shared_ptr<BackgroundCall<Result>> Join(const Key& key, const std::function<Result()>& work)
    {
        const std::lock_guard lock(mutex_);
        std::erase_if(underWay_, [](const auto& entry) { return entry.second.expired(); });
        auto& underWay = underWay_[key];
        if (auto call = underWay.lock())
            return call;
        auto call = BackgroundCall<Result>::Start(work);
        underWay = call;
        return call;
    }

private:
    std::mutex mutex_;
    std::map<Key, std::weak_ptr<BackgroundCall<Result>>> underWay_;
};

}  // namespace varnemo
