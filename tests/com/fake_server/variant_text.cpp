#include "fake_server/variant_text.h"

#include <cstdio>

namespace varnemo::testing {
namespace {

std::string Quoted(BSTR text)
{
    return "\"" + Utf8(text) + "\"";
}

std::string DateText(double date)
{
    SYSTEMTIME fields{};
    if (!VariantTimeToSystemTime(date, &fields))
        return "invalid date " + std::to_string(date);
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", fields.wYear, fields.wMonth, fields.wDay,
                  fields.wHour, fields.wMinute, fields.wSecond);
    return text;
}

std::string TextArray(SAFEARRAY* array)
{
    LONG lower = 0, upper = -1;
    SafeArrayGetLBound(array, 1, &lower);
    SafeArrayGetUBound(array, 1, &upper);
    std::string text = "[";
    for (LONG index = lower; index <= upper; ++index) {
        BSTR element = nullptr;
        SafeArrayGetElement(array, &index, &element);
        text += (index == lower ? "" : ", ") + Quoted(element);
        SysFreeString(element);
    }
    return text + "]" + (lower == 0 ? "" : " from " + std::to_string(lower));
}

std::string DateArray(SAFEARRAY* array)
{
    LONG lower = 0, upper = -1;
    SafeArrayGetLBound(array, 1, &lower);
    SafeArrayGetUBound(array, 1, &upper);
    std::string text = "[";
    for (LONG index = lower; index <= upper; ++index) {
        DATE element = 0;
        SafeArrayGetElement(array, &index, &element);
        text += (index == lower ? "" : ", ") + DateText(element);
    }
    return text + "]";
}

}  // namespace

std::wstring Wide(const std::string& utf8)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
    return wide;
}

std::string Utf8(const wchar_t* wide)
{
    if (!wide)
        return {};
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), length, nullptr, nullptr);
    text.resize(text.size() - 1);  // the terminating NUL
    return text;
}

std::string DescribeVariant(const VARIANT& value)
{
    switch (value.vt) {
    case VT_BSTR: return "VT_BSTR " + Quoted(value.bstrVal);
    case VT_I2: return "VT_I2 " + std::to_string(value.iVal);
    case VT_I4: return "VT_I4 " + std::to_string(value.lVal);
    case VT_BOOL: return std::string("VT_BOOL ") + (value.boolVal ? "True" : "False");
    case VT_DATE: return "VT_DATE " + DateText(value.date);
    case VT_ARRAY | VT_BSTR: return "VT_ARRAY|VT_BSTR " + TextArray(value.parray);
    case VT_ARRAY | VT_DATE: return "VT_ARRAY|VT_DATE " + DateArray(value.parray);
    case VT_EMPTY: return "VT_EMPTY";
    default: return "VT_" + std::to_string(value.vt);
    }
}

double OleDateFromIso(const std::string& text)
{
    SYSTEMTIME fields{};
    unsigned year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    std::sscanf(text.c_str(), "%u-%u-%uT%u:%u:%u", &year, &month, &day, &hour, &minute, &second);
    fields.wYear = static_cast<WORD>(year), fields.wMonth = static_cast<WORD>(month);
    fields.wDay = static_cast<WORD>(day), fields.wHour = static_cast<WORD>(hour);
    fields.wMinute = static_cast<WORD>(minute), fields.wSecond = static_cast<WORD>(second);
    double date = 0;
    SystemTimeToVariantTime(&fields, &date);
    return date;
}

}  // namespace varnemo::testing
