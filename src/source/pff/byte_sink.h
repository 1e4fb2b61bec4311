#pragma once

#include <functional>
#include <string_view>

namespace varnemo::mapi::pff {

// Receives a stream of bytes piece by piece, so that a large value never sits in memory whole.
using ByteSink = std::function<void(std::string_view)>;

}  // namespace varnemo::mapi::pff
