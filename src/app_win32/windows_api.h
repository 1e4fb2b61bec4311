#pragma once

// The Windows API for the windows of this folder, without the macro Yield (an old no-op of
// 16-bit Windows) that would rename the views' Yield.
#include <windows.h>
#undef Yield
