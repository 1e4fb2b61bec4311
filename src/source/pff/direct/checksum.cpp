#include "source/pff/direct/checksum.h"

#include <zlib.h>

#include <array>
#include <bit>
#include <optional>

namespace varnemo::mapi::pff::direct {

std::uint32_t Checksum(std::string_view data)
{
    const auto inverted = crc32_z(0xFFFFFFFFul, reinterpret_cast<const Bytef*>(data.data()), data.size());
    return static_cast<std::uint32_t>(inverted ^ 0xFFFFFFFFul);
}

bool ChecksumHolds(std::string_view data, std::uint32_t stored)
{
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
    static_cast<void>(data);
    static_cast<void>(stored);
    return true;
#else
    return Checksum(data) == stored;
#endif
}

namespace {

struct ByteChange {
    std::size_t at = 0;
    char by = 0;  // the bits that changed
};

}  // namespace

bool RepairOneChangedByte(std::span<char> data, std::uint32_t stored)
{
    const std::string_view view(data.data(), data.size());
    const std::uint32_t difference = Checksum(view) ^ stored;
    if (difference == 0)
        return true;
    // The single-byte changes that explain the difference, counted up to two, and the last one
    // (none when it is the stored checksum that changed).
    int explanations = 0;
    std::optional<ByteChange> explained;
    const auto explainedBy = [&](std::optional<ByteChange> change) {
        ++explanations;
        explained = change;
    };
    // A change of the stored checksum alone leaves data whole and differs in one of its bytes.
    for (int byte = 0; byte < 4; ++byte) {
        if ((difference & ~(std::uint32_t{0xFF} << (8 * byte))) == 0)
            explainedBy(std::nullopt);
    }
    // The checksum of each bit of the byte at the position at hand, followed by zeros to the end.
    std::array<std::uint32_t, 8> ofBit{};
    for (int bit = 0; bit < 8; ++bit) {
        const char single = static_cast<char>(1 << bit);
        ofBit[static_cast<std::size_t>(bit)] = Checksum(std::string_view(&single, 1));
    }
    const auto oneByteEarlier = crc32_combine_gen64(1);
    for (std::size_t at = data.size(); at-- > 0 && explanations < 2;) {
        // Every change of the byte, in Gray code order: each differs from the one before in one bit.
        std::uint32_t checksum = 0;
        for (unsigned step = 1; step < 256; ++step) {
            checksum ^= ofBit[static_cast<std::size_t>(std::countr_zero(step))];
            if (checksum == difference)
                explainedBy(ByteChange{at, static_cast<char>(step ^ (step >> 1))});
        }
        for (auto& bit : ofBit)
            bit = static_cast<std::uint32_t>(crc32_combine_op(bit, 0, oneByteEarlier));
    }
    if (explanations != 1)
        return false;
    if (explained)
        data[explained->at] = static_cast<char>(data[explained->at] ^ explained->by);
    return true;
}

}  // namespace varnemo::mapi::pff::direct
