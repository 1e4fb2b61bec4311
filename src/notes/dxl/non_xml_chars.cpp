#include "notes/dxl/non_xml_chars.h"

#include <fmt/format.h>
#include <stdexcept>

namespace varnemo::notes::dxl {
namespace {

constexpr char32_t kByteEscapeBase = 0xDC00;
constexpr char32_t kFirstEscapedByte = 0xDC80;
constexpr char32_t kLastEscapedByte = 0xDCFF;

bool IsXmlChar(char32_t code)
{
    return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
           (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// One character decoded from the front of the bytes; length 0 when they do not start with one.
// Surrogates are decoded too: their bytes follow the UTF-8 pattern although UTF-8 forbids them.
struct Decoded {
    char32_t code = 0;
    std::size_t length = 0;
};

Decoded DecodeFront(std::string_view bytes)
{
    const auto lead = static_cast<unsigned char>(bytes[0]);
    if (lead < 0x80)
        return {lead, 1};
    std::size_t length = 0;
    char32_t code = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2, code = lead & 0x1F, minimum = 0x80;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3, code = lead & 0x0F, minimum = 0x800;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4, code = lead & 0x07, minimum = 0x10000;
    if (length == 0 || bytes.size() < length)
        return {};
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (!IsContinuation(byte))
            return {};
        code = (code << 6) | (byte & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF)
        return {};
    return {code, length};
}

bool StandsForEscapedByte(char32_t code)
{
    return code >= kFirstEscapedByte && code <= kLastEscapedByte;
}

}  // namespace

void SplitForXml(std::string_view bytes, const std::function<void(std::string_view)>& text,
                 const std::function<void(char32_t)>& nonXmlChar)
{
    std::size_t runStart = 0;
    std::size_t at = 0;
    const auto flushRun = [&] {
        if (at > runStart)
            text(bytes.substr(runStart, at - runStart));
    };
    while (at < bytes.size()) {
        const Decoded decoded = DecodeFront(bytes.substr(at));
        if (decoded.length > 0 && IsXmlChar(decoded.code)) {
            at += decoded.length;
            continue;
        }
        flushRun();
        if (decoded.length > 0 && !StandsForEscapedByte(decoded.code)) {
            nonXmlChar(decoded.code);
            at += decoded.length;
        } else {
            // Not a character, or a surrogate whose code is taken by the byte escapes: byte by
            // byte. Bytes below 0x80 always decode, so what arrives here is 0x80 or above.
            const std::size_t count = decoded.length > 0 ? decoded.length : 1;
            for (std::size_t i = 0; i < count; ++i)
                nonXmlChar(kByteEscapeBase + static_cast<unsigned char>(bytes[at + i]));
            at += count;
        }
        runStart = at;
    }
    flushRun();
}

void AppendNonXmlChar(std::string& bytes, char32_t value)
{
    if (StandsForEscapedByte(value)) {
        bytes += static_cast<char>(value - kByteEscapeBase);
        return;
    }
    if (value > 0x10FFFF)
        throw std::invalid_argument(fmt::format("{:X} is beyond the Unicode range", static_cast<unsigned>(value)));
    if (value < 0x80) {
        bytes += static_cast<char>(value);
    } else if (value < 0x800) {
        bytes += static_cast<char>(0xC0 | (value >> 6));
        bytes += static_cast<char>(0x80 | (value & 0x3F));
    } else if (value < 0x10000) {
        bytes += static_cast<char>(0xE0 | (value >> 12));
        bytes += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        bytes += static_cast<char>(0x80 | (value & 0x3F));
    } else {
        bytes += static_cast<char>(0xF0 | (value >> 18));
        bytes += static_cast<char>(0x80 | ((value >> 12) & 0x3F));
        bytes += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        bytes += static_cast<char>(0x80 | (value & 0x3F));
    }
}

}  // namespace varnemo::notes::dxl
