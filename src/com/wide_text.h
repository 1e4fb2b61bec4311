#pragma once

// The program's texts are UTF-8; COM's are UTF-16.

#include <string>
#include <string_view>

namespace varnemo::com {

std::wstring Widen(std::string_view text);
std::string Narrow(std::wstring_view text);

}  // namespace varnemo::com
