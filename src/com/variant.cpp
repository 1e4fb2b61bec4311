#include "com/variant.h"

#include "com/bstr.h"
#include "com/com_error.h"
#include "com/ole_date.h"
#include "com/safe_array.h"
#include "common/errors.h"

#include <utility>

namespace varnemo::com {
namespace {

bool IsBlank(const Variant& value)
{
    return value.type() == VT_EMPTY || value.type() == VT_NULL;
}

// A copy of the value changed to the type, or a ComponentError naming what was read.
Variant Converted(const Variant& value, VARTYPE type, const std::string& what)
{
    Variant converted;
    // VariantChangeType only reads its source, though it does not say so in its signature.
    VARIANT* source = const_cast<VARIANT*>(&value.get());
    if (const HRESULT result = VariantChangeType(&converted.get(), source, 0, type); FAILED(result))
        ThrowComError(what + " gave a " + TypeName(value.type()) + " instead of a " + TypeName(type) +
                          "; the conversion",
                      result);
    return converted;
}

}  // namespace

Variant::Variant(Variant&& other) noexcept : value_(other.value_)
{
    VariantInit(&other.value_);
}

Variant& Variant::operator=(Variant&& other) noexcept
{
    if (this != &other) {
        VariantClear(&value_);
        value_ = std::exchange(other.value_, VARIANT{});
        VariantInit(&other.value_);
    }
    return *this;
}

Variant Variant::Text(std::string_view utf8)
{
    Variant variant;
    variant.value_.bstrVal = Bstr(utf8).Release();
    variant.value_.vt = VT_BSTR;
    return variant;
}

Variant Variant::Date(const DateTime& value)
{
    Variant variant;
    variant.value_.date = ToOleDate(value);
    variant.value_.vt = VT_DATE;
    return variant;
}

Variant Variant::TextList(const std::vector<std::string>& texts)
{
    Variant variant;
    variant.value_.parray = SafeArray::OfTexts(texts).Release();
    variant.value_.vt = VT_ARRAY | VT_BSTR;
    return variant;
}

Variant Variant::DateList(const std::vector<DateTime>& values)
{
    std::vector<double> dates;
    dates.reserve(values.size());
    for (const auto& value : values)
        dates.push_back(ToOleDate(value));
    Variant variant;
    variant.value_.parray = SafeArray::OfDates(dates).Release();
    variant.value_.vt = VT_ARRAY | VT_DATE;
    return variant;
}

Variant Variant::Int16(std::int16_t number)
{
    Variant variant;
    variant.value_.iVal = number;
    variant.value_.vt = VT_I2;
    return variant;
}

Variant Variant::Int32(std::int32_t number)
{
    Variant variant;
    variant.value_.lVal = number;
    variant.value_.vt = VT_I4;
    return variant;
}

Variant Variant::Bool(bool flag)
{
    Variant variant;
    variant.value_.boolVal = flag ? VARIANT_TRUE : VARIANT_FALSE;
    variant.value_.vt = VT_BOOL;
    return variant;
}

std::string TextOf(const Variant& value, const std::string& what)
{
    if (IsBlank(value))
        return {};
    if (value.type() == VT_BSTR)
        return ToUtf8(value.get().bstrVal);
    return ToUtf8(Converted(value, VT_BSTR, what).get().bstrVal);
}

DateTime DateOf(const Variant& value, const std::string& what)
{
    if (IsBlank(value))
        return {};
    if (value.type() == VT_DATE)
        return FromOleDate(value.get().date);
    return FromOleDate(Converted(value, VT_DATE, what).get().date);
}

long LongOf(const Variant& value, const std::string& what)
{
    if (IsBlank(value))
        return 0;
    return Converted(value, VT_I4, what).get().lVal;
}

std::string BytesOf(const Variant& value, const std::string& what)
{
    if (IsBlank(value))
        return {};
    if (value.type() != (VT_ARRAY | VT_UI1))
        throw ComponentError(what + " gave " + TypeName(value.type()) + ", not bytes");
    SAFEARRAY* array = value.get().parray;
    LONG lower = 0, upper = -1;
    SafeArrayGetLBound(array, 1, &lower);
    SafeArrayGetUBound(array, 1, &upper);
    void* data = nullptr;
    if (const HRESULT result = SafeArrayAccessData(array, &data); FAILED(result))
        ThrowComError(what + ": SafeArrayAccessData", result);
    std::string bytes(static_cast<const char*>(data), static_cast<std::size_t>(upper - lower + 1));
    SafeArrayUnaccessData(array);
    return bytes;
}

IDispatch* DispatchOf(const Variant& value, const std::string& what)
{
    const VARTYPE type = value.type();
    IUnknown* object = type == VT_DISPATCH ? value.get().pdispVal : type == VT_UNKNOWN ? value.get().punkVal : nullptr;
    if (!object)
        throw ComponentError(what + " gave no object (" + TypeName(type) + ")");
    IDispatch* dispatch = nullptr;
    if (const HRESULT result = object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
        FAILED(result))
        ThrowComError(what + " gave an object without IDispatch; QueryInterface", result);
    return dispatch;
}

std::string TypeName(VARTYPE type)
{
    std::string prefix;
    if (type & VT_ARRAY)
        prefix += "VT_ARRAY|";
    if (type & VT_BYREF)
        prefix += "VT_BYREF|";
    switch (type & VT_TYPEMASK) {
    case VT_EMPTY: return prefix + "VT_EMPTY";
    case VT_NULL: return prefix + "VT_NULL";
    case VT_I2: return prefix + "VT_I2";
    case VT_I4: return prefix + "VT_I4";
    case VT_R8: return prefix + "VT_R8";
    case VT_DATE: return prefix + "VT_DATE";
    case VT_BSTR: return prefix + "VT_BSTR";
    case VT_DISPATCH: return prefix + "VT_DISPATCH";
    case VT_ERROR: return prefix + "VT_ERROR";
    case VT_BOOL: return prefix + "VT_BOOL";
    case VT_VARIANT: return prefix + "VT_VARIANT";
    case VT_UNKNOWN: return prefix + "VT_UNKNOWN";
    default: return prefix + "VT_" + std::to_string(type & VT_TYPEMASK);
    }
}

}  // namespace varnemo::com
