#include "source/pff/multi_value.h"

#include <cstdint>

namespace varnemo::mapi::pff {
namespace {

std::uint32_t ReadUint32(std::string_view data, size_t at)
{
    std::uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value |= std::uint32_t{static_cast<unsigned char>(data[at + i])} << (8 * i);
    return value;
}

// Some files leave the count at zero while the offsets are there; the offset table ends where
// the first value begins, which gives the count.
size_t CountOf(std::string_view data)
{
    const size_t count = ReadUint32(data, 0);
    if (count != 0 || data.size() < 8)
        return count;
    const size_t firstOffset = ReadUint32(data, 4);
    return firstOffset % 4 == 0 && firstOffset >= 8 ? firstOffset / 4 - 1 : 0;
}

}  // namespace

std::optional<std::vector<std::string>> SplitMultiValue(std::string_view data)
{
    if (data.empty())
        return std::vector<std::string>{};
    if (data.size() < 4)
        return std::nullopt;
    const size_t count = CountOf(data);
    const size_t tableEnd = 4 + 4 * count;
    if (count > data.size() / 4 || tableEnd > data.size())
        return std::nullopt;
    std::vector<std::string> values;
    for (size_t index = 0; index < count; ++index) {
        const size_t begin = ReadUint32(data, 4 + 4 * index);
        const size_t end = index + 1 < count ? ReadUint32(data, 8 + 4 * index) : data.size();
        if (begin < tableEnd || begin > end || end > data.size())
            return std::nullopt;
        values.emplace_back(data.substr(begin, end - begin));
    }
    return values;
}

}  // namespace varnemo::mapi::pff
