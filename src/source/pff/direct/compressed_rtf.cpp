#include "source/pff/direct/compressed_rtf.h"

#include "common/errors.h"
#include "source/pff/direct/file_layout.h"

#include <fmt/format.h>

#include <array>
#include <cstdint>

namespace varnemo::mapi::pff::direct {
namespace {

constexpr std::size_t kHeaderSize = 16;
constexpr std::uint32_t kCompressed = 0x75465A4C;    // "LZFu"
constexpr std::uint32_t kUncompressed = 0x414C454D;  // "MELA"
constexpr std::size_t kDictionarySize = 4096;

// The text the dictionary starts with: the opening of a typical RTF document, so that the first
// bytes of the text can already refer back into it.
constexpr std::string_view kInitialText =
    "{\\rtf1\\ansi\\mac\\deff0\\deftab720{\\fonttbl;}{\\f0\\fnil \\froman \\fswiss \\fmodern \\fscript "
    "\\fdecor MS Sans SerifSymbolArialTimes New RomanCourier{\\colortbl\\red0\\green0\\blue0\r\n\\par "
    "\\pard\\plain\\f0\\fs20\\b\\i\\u\\tab\\tx";
static_assert(kInitialText.size() == 207);

[[noreturn]] void Damaged(const std::string& where, std::string_view why)
{
    throw ComponentError(fmt::format("cannot decompress the RTF body of {}: {}", where, why));
}

std::string Expand(std::string_view data, std::size_t rawSize, const std::string& where)
{
    std::array<char, kDictionarySize> dictionary{};
    std::copy(kInitialText.begin(), kInitialText.end(), dictionary.begin());
    std::size_t write = kInitialText.size();
    std::string text;
    text.reserve(rawSize);
    auto put = [&](char c) {
        if (text.size() == rawSize)
            Damaged(where, "it is longer than it says");
        text.push_back(c);
        dictionary[write] = c;
        write = (write + 1) % kDictionarySize;
    };
    std::size_t at = 0;
    while (at < data.size()) {
        const auto control = static_cast<std::uint8_t>(data[at++]);
        for (int bit = 0; bit < 8 && at < data.size(); ++bit) {
            if ((control & (1u << bit)) == 0) {
                put(data[at++]);
                continue;
            }
            if (at + 2 > data.size())
                Damaged(where, "a reference is cut short");
            const auto reference = static_cast<std::uint16_t>((static_cast<std::uint8_t>(data[at]) << 8) |
                                                              static_cast<std::uint8_t>(data[at + 1]));
            at += 2;
            const std::size_t offset = reference >> 4;
            const std::size_t length = (reference & 0xF) + 2;
            if (offset == write)  // the end marker
                return text;
            for (std::size_t i = 0; i < length; ++i)
                put(dictionary[(offset + i) % kDictionarySize]);
        }
    }
    return text;
}

}  // namespace

std::string DecompressRtf(std::string_view stored, const std::string& where)
{
    if (stored.size() < kHeaderSize)
        Damaged(where, "its header is cut short");
    const std::size_t compressedSize = layout::Get<std::uint32_t>(stored, 0);
    const std::size_t rawSize = layout::Get<std::uint32_t>(stored, 4);
    const auto kind = layout::Get<std::uint32_t>(stored, 8);
    // The compressed size counts the header after its own field, but not that field.
    const auto data = stored.substr(kHeaderSize, compressedSize >= kHeaderSize - 4 ? compressedSize - (kHeaderSize - 4)
                                                                                   : 0);
    if (kind == kUncompressed)
        return std::string(data.substr(0, rawSize));
    if (kind != kCompressed)
        Damaged(where, "it is neither compressed nor plain RTF");
    return Expand(data, rawSize, where);
}

}  // namespace varnemo::mapi::pff::direct
