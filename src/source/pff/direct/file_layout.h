#pragma once

// Offsets, sizes and type codes of the Unicode Outlook data file that the direct reader needs.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace varnemo::mapi::pff::direct::layout {

// The header.
constexpr std::size_t kHeaderSize = 514;
constexpr std::size_t kVersionOffset = 10;
constexpr std::uint16_t kUnicodeVersion = 23;
// From this version on pages and blocks are 4 KiB and blocks may be compressed.
constexpr std::uint16_t kFourKilobyteVersion = 36;
constexpr std::size_t kNodeRootOffset = 0xE0;   // the file offset of the root page of the node B-tree
constexpr std::size_t kBlockRootOffset = 0xF0;  // the same for the block B-tree
constexpr std::size_t kEncodingOffset = 513;
constexpr std::uint8_t kNoEncoding = 0;
constexpr std::uint8_t kPermuteEncoding = 1;

// B-tree pages.
constexpr std::size_t kPageSize = 512;
constexpr std::size_t kPageContentSize = 496;
constexpr std::size_t kPageEntriesSize = 488;
constexpr std::size_t kPageEntryCountOffset = 488;
constexpr std::size_t kPageEntrySizeOffset = 490;
constexpr std::size_t kPageLevelOffset = 491;
constexpr std::uint8_t kBlockBTreePage = 0x80;
constexpr std::uint8_t kNodeBTreePage = 0x81;
constexpr std::size_t kBranchEntrySize = 24;
constexpr std::size_t kBlockEntrySize = 24;
constexpr std::size_t kNodeEntrySize = 32;
constexpr int kMaxTreeDepth = 16;

// Blocks.
constexpr std::size_t kBlockTrailerSize = 16;
constexpr std::size_t kBlockAlignment = 64;
constexpr std::size_t kMaxBlockData = 8192 - kBlockTrailerSize;
constexpr std::uint64_t kInternalBlockBit = 0x2;
constexpr std::size_t kTreeBlockHeaderSize = 8;
constexpr char kDataTreeBlock = 0x01;
constexpr char kSubnodeTreeBlock = 0x02;
constexpr char kMaxDataTreeLevel = 2;
constexpr std::size_t kSubnodeLeafEntrySize = 24;
constexpr std::size_t kSubnodeBranchEntrySize = 16;

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

}  // namespace varnemo::mapi::pff::direct::layout
