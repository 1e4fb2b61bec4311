#pragma once

#include <cstdint>

namespace varnemo {

// A native window handle as a number (on Windows an HWND, which Qt's winId() gives); 0 for no
// window. Callers pass windows without including windows.h.
using WindowHandle = std::uintptr_t;

}  // namespace varnemo
