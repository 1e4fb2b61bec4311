#include "page.h"

#include "block_checksum.h"

#include <stdexcept>

namespace pstgen {

Bytes MakePage(PageType type, ByteView content, std::uint16_t signature, std::uint64_t bid)
{
    if (content.size() != kPageContentSize)
        throw std::logic_error("page content must be 496 bytes");
    Bytes page(content.begin(), content.end());
    PutLE(page, static_cast<std::uint8_t>(type));
    PutLE(page, static_cast<std::uint8_t>(type));
    PutLE(page, signature);
    PutLE(page, BlockCrc(content));
    PutLE(page, bid);
    return page;
}

}  // namespace pstgen
