#include "block_checksum.h"

#include <zlib.h>

namespace pstgen {

std::uint32_t BlockCrc(ByteView data)
{
    // zlib inverts the register before and after; undoing both gives the plain register.
    const auto inverted = crc32_z(0xFFFFFFFFul, data.data(), data.size());
    return static_cast<std::uint32_t>(inverted ^ 0xFFFFFFFFul);
}

std::uint16_t BlockSignature(std::uint64_t offset, std::uint64_t bid)
{
    const auto mixed = static_cast<std::uint32_t>(offset ^ bid);
    return static_cast<std::uint16_t>((mixed >> 16) ^ (mixed & 0xFFFF));
}

}  // namespace pstgen
