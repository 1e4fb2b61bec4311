#pragma once

#include <windows.h>

#include <string>

namespace varnemo::testing {

std::wstring Wide(const std::string& utf8);
std::string Utf8(const wchar_t* wide);

// A value as the call log shows it: its type, then its value, e.g. VT_BSTR "Memo", VT_I2 0,
// VT_DATE 2026-03-07 14:05:09, VT_ARRAY|VT_BSTR ["D", "S"].
std::string DescribeVariant(const VARIANT& value);

// A COM date from "yyyy-mm-ddThh:mm:ss" (or a date alone).
double OleDateFromIso(const std::string& text);

}  // namespace varnemo::testing
