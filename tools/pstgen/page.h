#pragma once

#include "format_constants.h"
#include "little_endian.h"

namespace pstgen {

// A 512-byte page: 496 bytes of content, then the trailer (type twice, signature, CRC, id).
Bytes MakePage(PageType type, ByteView content, std::uint16_t signature, std::uint64_t bid);

}  // namespace pstgen
