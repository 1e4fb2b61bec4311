#include "source/pff/one_off_entry_id.h"

#include "source/pff/code_page.h"

#include <array>

namespace varnemo::mapi::pff {
namespace {

// 4 flag bytes, the one-off provider UID, a 2-byte version and 2 bytes of flags.
constexpr std::string_view OneOffProvider{"\x81\x2B\x1F\xA4\xBE\xA3\x10\x19\x9D\x6E\x00\xDD\x01\x0F\x54\x02", 16};
constexpr size_t HeaderSize = 4 + 16 + 2 + 2;
constexpr unsigned UnicodeStrings = 0x8000;

// Reads one NUL-terminated string at `at` and moves past it; no value when it is not terminated.
std::optional<std::string> NextString(std::string_view bytes, size_t& at, bool unicode)
{
    const size_t unit = unicode ? 2 : 1;
    for (size_t end = at; end + unit <= bytes.size(); end += unit) {
        if (bytes[end] == '\0' && (!unicode || bytes[end + 1] == '\0')) {
            const auto raw = bytes.substr(at, end - at);
            at = end + unit;
            return std::string(raw);
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<OneOffRecipient> ParseOneOffEntryId(std::string_view bytes, const std::string& charset)
{
    if (bytes.size() < HeaderSize || bytes.substr(4, 16) != OneOffProvider)
        return std::nullopt;
    const unsigned flags = static_cast<unsigned char>(bytes[22]) | static_cast<unsigned char>(bytes[23]) << 8;
    const bool unicode = (flags & UnicodeStrings) != 0;
    const std::string stringCharset = unicode ? "UTF-16LE" : charset;

    size_t at = HeaderSize;
    std::array<std::string, 3> fields;
    for (auto& field : fields) {
        const auto raw = NextString(bytes, at, unicode);
        if (!raw)
            return std::nullopt;
        field = ToUtf8(*raw, stringCharset);
    }
    return OneOffRecipient{fields[0], fields[1], fields[2]};
}

}  // namespace varnemo::mapi::pff
