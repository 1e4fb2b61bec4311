#include "com/bstr.h"

#include "com/wide_text.h"

#include <new>
#include <utility>

namespace varnemo::com {

Bstr::Bstr(std::string_view utf8)
{
    const std::wstring wide = Widen(utf8);
    value_ = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    if (!value_)
        throw std::bad_alloc();
}

Bstr& Bstr::operator=(Bstr&& other) noexcept
{
    if (this != &other) {
        SysFreeString(value_);
        value_ = other.Release();
    }
    return *this;
}

Bstr Bstr::Adopt(BSTR owned)
{
    Bstr adopted;
    adopted.value_ = owned;
    return adopted;
}

BSTR Bstr::Release()
{
    return std::exchange(value_, nullptr);
}

std::string ToUtf8(BSTR text)
{
    return text ? Narrow(std::wstring_view(text, SysStringLen(text))) : std::string();
}

}  // namespace varnemo::com
