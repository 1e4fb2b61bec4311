#pragma once

#include <windows.h>

#include <string>

namespace varnemo::com {

// The system's text for an HRESULT, with its code: "0x80040154 Class not registered".
std::string HresultText(HRESULT result);

// Throws ComponentError saying which call failed and why. With exception information (the
// component's own report of a DISP_E_EXCEPTION), its source and description are given too,
// and its strings are freed.
[[noreturn]] void ThrowComError(const std::string& call, HRESULT result, EXCEPINFO* exception = nullptr);

}  // namespace varnemo::com
