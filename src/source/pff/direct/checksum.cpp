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

// The changes of one byte of data whose checksum is difference, counted up to two.
class Explanations {
public:
    void Add(std::optional<ByteChange> change)
    {
        ++count_;
        change_ = change;
    }
    int count() const { return count_; }
    const std::optional<ByteChange>& only() const { return change_; }

private:
    int count_ = 0;
    std::optional<ByteChange> change_;  // none when the stored checksum is what changed
};

}  // namespace

bool RepairOneChangedByte(std::span<char> data, std::uint32_t stored)
{
    const std::string_view view(data.data(), data.size());
    const std::uint32_t difference = Checksum(view) ^ stored;
    if (difference == 0)
        return true;
    Explanations explanations;
    // A change of the stored checksum alone leaves data whole and differs in one of its bytes.
    for (int byte = 0; byte < 4; ++byte) {
        if ((difference & ~(std::uint32_t{0xFF} << (8 * byte))) == 0)
            explanations.Add(std::nullopt);
    }
    // The checksum of each bit of the byte at the position at hand, followed by zeros to the end.
    std::array<std::uint32_t, 8> ofBit{};
    for (int bit = 0; bit < 8; ++bit) {
        const char single = static_cast<char>(1 << bit);
        ofBit[static_cast<std::size_t>(bit)] = Checksum(std::string_view(&single, 1));
    }
    const auto oneByteEarlier = crc32_combine_gen64(1);
    for (std::size_t at = data.size(); at-- > 0 && explanations.count() < 2;) {
        // Every change of the byte, in Gray code order: each differs from the one before in one bit.
        std::uint32_t checksum = 0;
        for (unsigned step = 1; step < 256; ++step) {
            checksum ^= ofBit[static_cast<std::size_t>(std::countr_zero(step))];
            if (checksum == difference)
                explanations.Add(ByteChange{at, static_cast<char>(step ^ (step >> 1))});
        }
        for (auto& bit : ofBit)
            bit = static_cast<std::uint32_t>(crc32_combine_op(bit, 0, oneByteEarlier));
    }
    if (explanations.count() != 1)
        return false;
    if (const auto& change = explanations.only())
        data[change->at] = static_cast<char>(data[change->at] ^ change->by);
    return true;
}

}  // namespace varnemo::mapi::pff::direct
