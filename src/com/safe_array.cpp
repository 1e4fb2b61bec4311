#include "com/safe_array.h"

#include "com/bstr.h"
#include "com/com_error.h"

#include <new>
#include <utility>

namespace varnemo::com {

SafeArray SafeArray::OfTexts(const std::vector<std::string>& texts)
{
    SAFEARRAY* created = SafeArrayCreateVector(VT_BSTR, 0, static_cast<ULONG>(texts.size()));
    if (!created)
        throw std::bad_alloc();
    SafeArray array(created);
    for (size_t index = 0; index < texts.size(); ++index) {
        LONG position = static_cast<LONG>(index);
        Bstr element(texts[index]);
        // SafeArrayPutElement copies the string; ours is freed when element goes.
        if (const HRESULT result = SafeArrayPutElement(array.array_, &position, element.get()); FAILED(result))
            ThrowComError("SafeArrayPutElement of a text list", result);
    }
    return array;
}

SafeArray SafeArray::OfDates(const std::vector<double>& dates)
{
    SAFEARRAY* created = SafeArrayCreateVector(VT_DATE, 0, static_cast<ULONG>(dates.size()));
    if (!created)
        throw std::bad_alloc();
    SafeArray array(created);
    for (size_t index = 0; index < dates.size(); ++index) {
        LONG position = static_cast<LONG>(index);
        DATE element = dates[index];
        if (const HRESULT result = SafeArrayPutElement(array.array_, &position, &element); FAILED(result))
            ThrowComError("SafeArrayPutElement of a date list", result);
    }
    return array;
}

SAFEARRAY* SafeArray::Release()
{
    return std::exchange(array_, nullptr);
}

}  // namespace varnemo::com
