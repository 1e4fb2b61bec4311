#include "file_header.h"

#include "block_checksum.h"

namespace pstgen {

namespace {

constexpr std::uint16_t kUnicodeVersion = 23;
constexpr std::uint16_t kClientVersion = 19;
constexpr std::uint8_t kPlatform = 0x01;
constexpr std::uint8_t kAllocationMapsValid = 0x02;
constexpr std::uint8_t kSentinel = 0x80;
// The partial CRC covers the 471 bytes after it, the full CRC the 516 bytes after it.
constexpr std::size_t kCrcStart = 8;
constexpr std::size_t kPartialCrcLength = 471;
constexpr std::size_t kFullCrcLength = 516;
constexpr std::size_t kPartialCrcAt = 4;
constexpr std::size_t kFullCrcAt = 524;

void PutRoot(Bytes& out, const HeaderFields& fields)
{
    PutLE(out, std::uint32_t{0});
    PutLE(out, fields.maps.fileEnd);
    PutLE(out, fields.maps.lastAllocationMap);
    PutLE(out, fields.maps.freeBytes);
    PutLE(out, std::uint64_t{0});  // free bytes by page map: the page map is not used
    PutLE(out, fields.nodeBTree.bid);
    PutLE(out, fields.nodeBTree.offset);
    PutLE(out, fields.blockBTree.bid);
    PutLE(out, fields.blockBTree.offset);
    PutLE(out, kAllocationMapsValid);
    PutLE(out, std::uint8_t{0});
    PutLE(out, std::uint16_t{0});
}

}  // namespace

Bytes MakeHeader(const HeaderFields& fields)
{
    Bytes out{'!', 'B', 'D', 'N'};
    PutLE(out, std::uint32_t{0});  // partial CRC, set below
    out.push_back('S');
    out.push_back('M');
    PutLE(out, kUnicodeVersion);
    PutLE(out, kClientVersion);
    PutLE(out, kPlatform);
    PutLE(out, kPlatform);
    PutLE(out, std::uint32_t{0});
    PutLE(out, std::uint32_t{0});
    PutLE(out, std::uint64_t{0});  // unused
    PutLE(out, fields.nextPageBid);
    PutLE(out, std::uint32_t{1});  // modification counter
    for (const auto nid : fields.nextNids)
        PutLE(out, nid);
    PutLE(out, std::uint64_t{0});
    PutRoot(out, fields);
    PutLE(out, std::uint32_t{0});
    out.resize(out.size() + 256, 0xFF);  // the free map and free-page map kept in the header
    PutLE(out, kSentinel);
    PutLE(out, static_cast<std::uint8_t>(fields.encoding));
    PutLE(out, std::uint16_t{0});
    PutLE(out, fields.nextBlockBid);
    PutLE(out, std::uint32_t{0});  // full CRC, set below
    AppendZeros(out, 36);

    SetLE(out, kPartialCrcAt, BlockCrc(ByteView(out).subspan(kCrcStart, kPartialCrcLength)));
    SetLE(out, kFullCrcAt, BlockCrc(ByteView(out).subspan(kCrcStart, kFullCrcLength)));
    return out;
}

}  // namespace pstgen
