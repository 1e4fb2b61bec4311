#include "source/pff/code_page.h"

#include <fmt/format.h>

#include <cerrno>
#include <iconv.h>
#include <map>

namespace varnemo::mapi::pff {
namespace {

constexpr std::string_view ReplacementCharacter = "\xEF\xBF\xBD";

class Converter {
public:
    explicit Converter(const std::string& charset) : handle_(iconv_open("UTF-8", charset.c_str())) {}
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    ~Converter()
    {
        if (valid())
            iconv_close(handle_);
    }
    bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    std::string Convert(std::string_view text)
    {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);  // whatever the last text left
        std::string output;
        std::string chunk(4096, '\0');
        char* in = const_cast<char*>(text.data());
        size_t inLeft = text.size();
        while (inLeft > 0) {
            char* out = chunk.data();
            size_t outLeft = chunk.size();
            const size_t result = iconv(handle_, &in, &inLeft, &out, &outLeft);
            output.append(chunk.data(), chunk.size() - outLeft);
            if (result != static_cast<size_t>(-1) || errno == E2BIG)
                continue;
            // An invalid or truncated sequence: mark it and go on with the next byte.
            output += ReplacementCharacter;
            ++in;
            --inLeft;
            iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        }
        return output;
    }

private:
    iconv_t handle_;
};

// Opening a converter looks the charset up among the system's conversion modules and costs more
// than converting a subject or a name: one per charset and thread, opened on first use. A charset
// that iconv does not know is kept too, as invalid.
Converter& ConverterFor(const std::string& charset)
{
    thread_local std::map<std::string, Converter> converters;
    return converters.try_emplace(charset, charset).first->second;
}

}  // namespace

std::string CharsetOfCodePage(std::uint32_t codePage)
{
    switch (codePage) {
    case 65001: return "UTF-8";
    case 1200: return "UTF-16LE";
    case 1201: return "UTF-16BE";
    case 20127: return "ASCII";
    case 20866: return "KOI8-R";
    case 21866: return "KOI8-U";
    case 50220:
    case 50221:
    case 50222: return "ISO-2022-JP";
    case 50225: return "ISO-2022-KR";
    case 51932: return "EUC-JP";
    case 51936: return "GB2312";
    case 51949: return "EUC-KR";
    case 52936: return "HZ";
    case 54936: return "GB18030";
    case 10000: return "MACINTOSH";
    default: break;
    }
    if (codePage >= 28591 && codePage <= 28606)
        return fmt::format("ISO-8859-{}", codePage - 28590);
    return fmt::format("CP{}", codePage);
}

std::string ToUtf8(std::string_view text, const std::string& charset)
{
    if (text.empty())
        return {};
    if (auto& converter = ConverterFor(charset); converter.valid())
        return converter.Convert(text);
    return ConverterFor(CharsetOfCodePage(DefaultCodePage)).Convert(text);
}

}  // namespace varnemo::mapi::pff
