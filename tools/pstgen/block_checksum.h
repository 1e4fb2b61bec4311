#pragma once

#include "little_endian.h"

namespace pstgen {

// The CRC-32 that guards blocks, pages and the header: the usual polynomial, but starting from
// zero and without the final inversion.
std::uint32_t BlockCrc(ByteView data);

// The 16-bit signature of a block or B-tree page, made from its file offset and its id.
std::uint16_t BlockSignature(std::uint64_t offset, std::uint64_t bid);

}  // namespace pstgen
