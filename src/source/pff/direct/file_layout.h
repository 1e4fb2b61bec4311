#pragma once

// Where the structures of an Outlook data file keep their values, for both formats: the Unicode
// format of Outlook 2003 and later (64-bit ids and offsets) and the ANSI format of Outlook 97 to
// 2002 (32-bit ones). The heap, property and table contexts above the blocks are the same in
// both.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace varnemo::mapi::pff::direct::layout {

// The header, common part.
constexpr std::size_t kHeaderSize = 514;
constexpr std::size_t kVersionOffset = 10;
constexpr std::uint16_t kUnicodeVersion = 23;
// From this version on pages and blocks are 4 KiB and blocks may be compressed.
constexpr std::uint16_t kFourKilobyteVersion = 36;
constexpr std::uint8_t kNoEncoding = 0;
constexpr std::uint8_t kPermuteEncoding = 1;
constexpr std::uint8_t kCyclicEncoding = 2;

// Pages and blocks, common part.
constexpr std::size_t kPageSize = 512;
constexpr std::uint8_t kBlockBTreePage = 0x80;
constexpr std::uint8_t kNodeBTreePage = 0x81;
constexpr int kMaxTreeDepth = 16;
constexpr std::size_t kBlockAlignment = 64;
constexpr std::size_t kMaxBlockSize = 8192;
constexpr std::uint64_t kInternalBlockBit = 0x2;
constexpr std::size_t kTreeBlockHeaderSize = 8;  // data trees and sub-node trees
constexpr char kDataTreeBlock = 0x01;
constexpr char kSubnodeTreeBlock = 0x02;
constexpr char kMaxDataTreeLevel = 2;

// A heap on a node begins with its signature, after the offset of its allocation map, and its
// client's: a property context or a table context.
constexpr std::size_t kHeapSignatureAt = 2;
constexpr std::size_t kHeapClientAt = 3;
constexpr std::uint8_t kHeapSignature = 0xEC;
constexpr std::uint8_t kPropertyContextHeap = 0xBC;
constexpr std::uint8_t kTableContextHeap = 0x7C;

// A node id ends in its node's type, in its five lowest bits.
constexpr std::uint32_t kNodeTypeBits = 0x1F;
constexpr std::uint8_t kFolderNode = 0x02;
constexpr std::uint8_t kSearchFolderNode = 0x03;
constexpr std::uint8_t kMessageNode = 0x04;
constexpr bool IsFolderNode(std::uint32_t nodeId)
{
    return (nodeId & kNodeTypeBits) == kFolderNode;
}
// Nodes that every data file has, at fixed ids.
constexpr std::uint32_t kMessageStoreNodeId = 0x21;
constexpr std::uint32_t kRootFolderNodeId = 0x122;

// What differs between the two formats. Ids (node, block) and file offsets are idSize bytes.
struct Format {
    std::size_t idSize;

    // The header: where the roots of the two B-trees, the encoding and the file's size are.
    std::size_t nodeRootOffset;
    std::size_t blockRootOffset;
    std::size_t encodingOffset;
    std::size_t fileSizeOffset;  // the size the file had when last written, idSize bytes

    // B-tree pages: entries, then the counts, then the trailer whose checksum covers checkedSize bytes.
    std::size_t pageEntriesSize;
    std::size_t pageEntryCountOffset;  // then the maximum count, the entry size and the level
    std::size_t pageTypeOffset;
    std::size_t pageChecksumOffset;
    std::size_t pageCheckedSize;
    std::size_t branchEntrySize;       // key, back pointer, child page offset
    std::size_t branchChildOffset;
    std::size_t blockEntrySize;        // block id, file offset, size, reference count
    std::size_t blockEntryOffsetAt;
    std::size_t blockEntrySizeAt;
    std::size_t nodeEntrySize;         // node id, data block, sub-node block, parent
    std::size_t nodeEntryDataAt;
    std::size_t nodeEntrySubnodesAt;
    std::size_t nodeEntryParentAt;     // 4 bytes in both formats

    // Blocks: data, padding to 64 bytes, trailer (size, signature, checksum and block id in a
    // format-given order).
    std::size_t blockTrailerSize;
    std::size_t trailerChecksumAt;
    std::size_t trailerIdAt;

    // Sub-node trees: a header, leaf entries (node id, data block, sub-node block), branch
    // entries (node id, child block).
    std::size_t subnodeHeaderSize;
    std::size_t subnodeLeafEntrySize;
    std::size_t subnodeBranchEntrySize;

    constexpr std::size_t maxBlockData() const { return kMaxBlockSize - blockTrailerSize; }
    // What a block of dataSize bytes takes in the file: the data and its trailer, aligned.
    constexpr std::size_t storedBlockSize(std::size_t dataSize) const
    {
        return (dataSize + blockTrailerSize + kBlockAlignment - 1) / kBlockAlignment * kBlockAlignment;
    }
    constexpr std::size_t pageEntrySizeOffset() const { return pageEntryCountOffset + 2; }
    constexpr std::size_t pageLevelOffset() const { return pageEntryCountOffset + 3; }
};

constexpr Format kUnicode{
    8,
    0xE0, 0xF0, 513, 0xB8,
    488, 488, 496, 500, 496, 24, 16, 24, 8, 16, 32, 8, 16, 24,
    16, 4, 8,
    8, 24, 16,
};

constexpr Format kAnsi{
    4,
    188, 196, 461, 168,
    496, 496, 500, 508, 500, 12, 8, 12, 4, 8, 16, 4, 8, 12,
    12, 8, 4,
    4, 12, 8,
};

// The header's size of the file must come before the roots, the entries fit before the counts,
// and each entry hold the values read from it.
constexpr bool Consistent(const Format& f)
{
    return f.fileSizeOffset + f.idSize <= f.nodeRootOffset && f.pageEntriesSize <= f.pageEntryCountOffset &&
           f.pageLevelOffset() < f.pageTypeOffset &&
           f.pageChecksumOffset + 4 <= kPageSize && f.branchChildOffset + f.idSize <= f.branchEntrySize &&
           f.blockEntrySizeAt + 2 <= f.blockEntrySize && f.nodeEntrySubnodesAt + f.idSize <= f.nodeEntryParentAt &&
           f.nodeEntryParentAt + 4 <= f.nodeEntrySize &&
           f.trailerIdAt + f.idSize <= f.blockTrailerSize && f.trailerChecksumAt + 4 <= f.blockTrailerSize &&
           f.subnodeLeafEntrySize == 3 * f.idSize && f.subnodeBranchEntrySize == 2 * f.idSize;
}
static_assert(Consistent(kUnicode) && kUnicode.maxBlockData() == 8176);
static_assert(Consistent(kAnsi) && kAnsi.maxBlockData() == 8180);

// A value past the end of a damaged structure reads as zero; the callers' size checks then
// reject it instead of reading beyond the buffer.
template <typename T>
T Get(std::string_view bytes, std::size_t offset)
{
    T value{};
    if (offset + sizeof(T) <= bytes.size())
        std::memcpy(&value, bytes.data() + offset, sizeof(T));  // the file is little-endian, as is every target
    return value;
}

// An id or offset of the format's size.
inline std::uint64_t GetId(const Format& format, std::string_view bytes, std::size_t offset)
{
    return format.idSize == 8 ? Get<std::uint64_t>(bytes, offset) : Get<std::uint32_t>(bytes, offset);
}

// The format a file's header states.
inline const Format& FormatOf(std::string_view header)
{
    return Get<std::uint16_t>(header, kVersionOffset) < kUnicodeVersion ? kAnsi : kUnicode;
}

}  // namespace varnemo::mapi::pff::direct::layout
