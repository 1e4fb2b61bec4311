#pragma once

#include <string>

namespace varnemo {

// Windows only. The folder of the running program's file, without a trailing separator; the
// empty text when Windows cannot say. (GetModuleFileNameA.)
std::string ProgramFolder();

}  // namespace varnemo
