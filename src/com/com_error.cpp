#include "com/com_error.h"

#include "com/bstr.h"
#include "com/wide_text.h"
#include "common/errors.h"

#include <fmt/format.h>

namespace varnemo::com {
namespace {

std::string SystemMessage(HRESULT result)
{
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, static_cast<DWORD>(result), 0, reinterpret_cast<LPWSTR>(&buffer),
                                        0, nullptr);
    std::wstring text(buffer ? buffer : L"", length);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' || text.back() == L'.'))
        text.pop_back();
    return Narrow(text);
}

// "source: description", from what the component reported.
std::string ExceptionText(EXCEPINFO& exception)
{
    if (exception.pfnDeferredFillIn)
        exception.pfnDeferredFillIn(&exception);
    const auto source = ToUtf8(Bstr::Adopt(exception.bstrSource).get());
    const auto description = ToUtf8(Bstr::Adopt(exception.bstrDescription).get());
    Bstr::Adopt(exception.bstrHelpFile);  // not shown, only freed
    exception = EXCEPINFO{};
    if (source.empty())
        return description;
    return description.empty() ? source : source + ": " + description;
}

}  // namespace

std::string HresultText(HRESULT result)
{
    const auto code = fmt::format("0x{:08X}", static_cast<unsigned long>(result));
    const auto message = SystemMessage(result);
    return message.empty() ? code : code + " " + message;
}

void ThrowComError(const std::string& call, HRESULT result, EXCEPINFO* exception)
{
    if (exception && result == DISP_E_EXCEPTION) {
        const HRESULT reported = exception->scode ? exception->scode : result;
        const auto reason = ExceptionText(*exception);
        throw ComponentError(fmt::format("{} failed: {} ({})", call, reason.empty() ? "no description" : reason,
                                         HresultText(reported)));
    }
    throw ComponentError(fmt::format("{} failed: {}", call, HresultText(result)));
}

}  // namespace varnemo::com
