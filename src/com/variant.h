#pragma once

#include "common/date_time.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varnemo::com {

// An owned VARIANT, cleared with VariantClear. The factories make the argument types that the
// components expect; results are read through the functions below.
class Variant {
public:
    Variant() { VariantInit(&value_); }
    ~Variant() { VariantClear(&value_); }
    Variant(Variant&& other) noexcept;
    Variant& operator=(Variant&& other) noexcept;
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;

    static Variant Text(std::string_view utf8);                       // VT_BSTR
    static Variant Date(const DateTime& value);                       // VT_DATE
    static Variant TextList(const std::vector<std::string>& texts);   // VT_ARRAY | VT_BSTR
    static Variant DateList(const std::vector<DateTime>& values);     // VT_ARRAY | VT_DATE
    static Variant Int16(std::int16_t number);                        // VT_I2
    static Variant Int32(std::int32_t number);                        // VT_I4
    static Variant Bool(bool flag);                                   // VT_BOOL

    VARTYPE type() const { return value_.vt; }
    VARIANT& get() { return value_; }
    const VARIANT& get() const { return value_; }

private:
    VARIANT value_;
};

// The readers throw ComponentError naming `what` when the value has another type. An empty
// or null value is the empty text, no date, or 0.
std::string TextOf(const Variant& value, const std::string& what);
DateTime DateOf(const Variant& value, const std::string& what);
long LongOf(const Variant& value, const std::string& what);
// The bytes of a binary value (VT_ARRAY | VT_UI1).
std::string BytesOf(const Variant& value, const std::string& what);
// The object in the value, with a reference of its own; never null.
IDispatch* DispatchOf(const Variant& value, const std::string& what);

// "VT_BSTR", "VT_ARRAY|VT_BSTR", ... for messages and logs.
std::string TypeName(VARTYPE type);

}  // namespace varnemo::com
