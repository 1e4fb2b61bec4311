#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace varnemo::com {

// An owned BSTR, freed with SysFreeString.
class Bstr {
public:
    Bstr() = default;
    explicit Bstr(std::string_view utf8);
    ~Bstr() { SysFreeString(value_); }
    Bstr(Bstr&& other) noexcept : value_(other.Release()) {}
    Bstr& operator=(Bstr&& other) noexcept;
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;

    // Takes over a BSTR that a call handed out.
    static Bstr Adopt(BSTR owned);

    BSTR get() const { return value_; }
    // Hands the string over to a VARIANT or an array, which frees it from then on.
    BSTR Release();

private:
    BSTR value_ = nullptr;
};

// A BSTR's text as UTF-8; a null BSTR is the empty text.
std::string ToUtf8(BSTR text);

}  // namespace varnemo::com
