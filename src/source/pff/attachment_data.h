#pragma once

#include "source/pff/byte_sink.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace varnemo::mapi::pff {

// Creates (or replaces) the file at path and lets write fill it through a sink.
void WriteFileThrough(const std::filesystem::path& path, const std::string& what,
                      const std::function<void(const ByteSink&)>& write);

}  // namespace varnemo::mapi::pff
