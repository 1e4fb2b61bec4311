#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace varnemo::com {

// An owned one-dimensional SAFEARRAY, destroyed with SafeArrayDestroy unless handed over.
class SafeArray {
public:
    // A VT_BSTR array holding the texts in order, with lower bound 0.
    static SafeArray OfTexts(const std::vector<std::string>& texts);
    // A VT_DATE array of COM dates (ole_date.h) in order, with lower bound 0.
    static SafeArray OfDates(const std::vector<double>& dates);

    ~SafeArray() { SafeArrayDestroy(array_); }
    SafeArray(SafeArray&& other) noexcept : array_(other.Release()) {}
    SafeArray(const SafeArray&) = delete;
    SafeArray& operator=(const SafeArray&) = delete;
    SafeArray& operator=(SafeArray&&) = delete;

    // Hands the array over to a VARIANT, which destroys it from then on.
    SAFEARRAY* Release();

private:
    explicit SafeArray(SAFEARRAY* array) : array_(array) {}
    SAFEARRAY* array_;
};

}  // namespace varnemo::com
