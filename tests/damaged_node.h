#pragma once

// Damage to one node of a Unicode Outlook data file, as a bad sector or a broken copy leaves it:
// bytes of the node's data block overwritten, the block's checksum written anew, so that the
// damage passes every block check and reaches the structure that the node holds.

#include "temp_dir.h"

#include <zlib.h>

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace varnemo::testing {

namespace damaged_node {

// Offsets of the Unicode layout: header, B-tree pages and block trailers.
inline constexpr std::size_t kNodeRootOffset = 224;
inline constexpr std::size_t kBlockRootOffset = 240;
inline constexpr std::size_t kEntryCount = 488, kEntrySize = 490, kLevel = 491;
inline constexpr std::uint64_t kInternalBlock = 2;

inline constexpr std::size_t kAlignment = 64, kTrailer = 16, kMaxBlock = 8192;

inline std::uint32_t BlockCrc(const std::string& file, std::size_t offset, std::size_t size)
{
    return static_cast<std::uint32_t>(
        ~crc32(~0ul, reinterpret_cast<const Bytef*>(file.data() + offset), static_cast<uInt>(size)));
}

inline std::uint64_t Le(const std::string& data, std::size_t at, int bytes)
{
    std::uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(data.at(at + static_cast<std::size_t>(i)));
    return value;
}

// The leaf entry with this key in the B-tree whose root page is at rootOffset.
inline std::size_t LeafEntry(const std::string& file, std::uint64_t rootOffset, std::uint64_t key)
{
    auto page = static_cast<std::size_t>(rootOffset);
    for (;;) {
        const std::size_t count = static_cast<unsigned char>(file.at(page + kEntryCount));
        const std::size_t size = static_cast<unsigned char>(file.at(page + kEntrySize));
        if (file.at(page + kLevel) == 0) {
            for (std::size_t i = 0; i < count; ++i)
                if (Le(file, page + i * size, 8) == key)
                    return page + i * size;
            throw std::runtime_error("no entry " + std::to_string(key) + " in the index");
        }
        std::size_t child = 0;
        for (std::size_t i = 0; i < count && Le(file, page + i * size, 8) <= key; ++i)
            child = static_cast<std::size_t>(Le(file, page + i * size + 16, 8));
        if (child == 0)
            throw std::runtime_error("no entry " + std::to_string(key) + " in the index");
        page = child;
    }
}

// Changes two bytes of the data block id of the node-index entry at `entry` and leaves its page's
// checksum as it was: more than the one changed byte a checksum can locate.
inline void BreakNodeEntry(std::string& file, std::size_t entry)
{
    file[entry + 8] ^= 0x01;
    file[entry + 9] ^= 0x01;
}

inline void PutLe32(std::string& file, std::size_t at, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i)
        file[at + i] = static_cast<char>(value >> (8 * i));
}

// Writes the checksum of the block of size bytes at offset into its trailer.
inline void WriteBlockCrc(std::string& file, std::size_t offset, std::size_t size)
{
    const auto trailer = offset + (size + kTrailer + kAlignment - 1) / kAlignment * kAlignment - kTrailer;
    PutLe32(file, trailer + 4, BlockCrc(file, offset, size));
}

// Where the data block of node nodeId (a single block) lies: its offset and size.
inline std::pair<std::size_t, std::size_t> NodeDataBlock(const std::string& file, std::uint32_t nodeId)
{
    const auto node = LeafEntry(file, Le(file, kNodeRootOffset, 8), nodeId);
    const auto blockId = Le(file, node + 8, 8);
    if (blockId & kInternalBlock)
        throw std::runtime_error("node " + std::to_string(nodeId) + " spans several blocks");
    const auto block = LeafEntry(file, Le(file, kBlockRootOffset, 8), blockId & ~std::uint64_t{1});
    return {static_cast<std::size_t>(Le(file, block + 8, 8)), static_cast<std::size_t>(Le(file, block + 16, 2))};
}

}  // namespace damaged_node

// Overwrites count bytes from offset `at` of the data block of node nodeId (a single block, as a
// small table is) with a pattern, and writes the block's CRC anew.
inline void DamageNodeData(const std::filesystem::path& pst, std::uint32_t nodeId, std::size_t at, std::size_t count)
{
    using namespace damaged_node;
    std::string file = ReadFile(pst);
    const auto [offset, size] = NodeDataBlock(file, nodeId);
    if (at + count > size)
        throw std::runtime_error("node " + std::to_string(nodeId) + " has only " + std::to_string(size) + " bytes");
    for (std::size_t i = 0; i < count; ++i)
        file[offset + at + i] = static_cast<char>(file[offset + at + i] ^ 0xA5);
    WriteBlockCrc(file, offset, size);
    WriteFile(pst, file);
}

// Flips a byte in the middle of the largest block that node nodeId keeps among its sub-nodes (a
// stream of the name-to-id map, say) and leaves the block's checksum as it was, as a bad sector
// does: the block's structure stays intact, its checksum fails.
inline void BreakSubnodeBlock(const std::filesystem::path& pst, std::uint32_t nodeId)
{
    using namespace damaged_node;
    std::string file = ReadFile(pst);
    const auto blockRoot = Le(file, kBlockRootOffset, 8);
    const auto BlockOf = [&](std::uint64_t blockId) {
        const auto entry = LeafEntry(file, blockRoot, blockId & ~std::uint64_t{1});
        return std::pair{static_cast<std::size_t>(Le(file, entry + 8, 8)), static_cast<std::size_t>(Le(file, entry + 16, 2))};
    };
    const auto node = LeafEntry(file, Le(file, kNodeRootOffset, 8), nodeId);
    const auto subnodes = BlockOf(Le(file, node + 16, 8)).first;
    std::pair<std::size_t, std::size_t> largest{0, 0};
    for (std::size_t i = 0, count = Le(file, subnodes + 2, 2); i < count; ++i) {
        const auto dataBlock = Le(file, subnodes + 8 + i * 24 + 8, 8);
        if (const auto block = BlockOf(dataBlock); !(dataBlock & kInternalBlock) && block.second > largest.second)
            largest = block;
    }
    if (largest.second == 0)
        throw std::runtime_error("node " + std::to_string(nodeId) + " keeps no data block among its sub-nodes");
    file[largest.first + largest.second / 2] ^= 0x01;
    WriteFile(pst, file);
}

// Flips a byte in the middle of the data block of node nodeId (a single block) and leaves its
// checksum as it was, as a bad sector does.
inline void BreakDataBlock(const std::filesystem::path& pst, std::uint32_t nodeId)
{
    using namespace damaged_node;
    std::string file = ReadFile(pst);
    const auto [offset, size] = NodeDataBlock(file, nodeId);
    file[offset + size / 2] ^= 0x01;
    WriteFile(pst, file);
}

// Overwrites bytes at offset `at` of a file's content, wherever it lies, and writes the checksum
// of the block that holds them anew. The block is found from its trailer: the one at a following
// 64-byte boundary whose stated size reaches back over the bytes and whose checksum fits.
inline void DamageKeepingChecksum(std::string& file, std::size_t at, std::string_view bytes)
{
    using namespace damaged_node;
    for (auto end = (at / kAlignment + 1) * kAlignment; end <= at + kMaxBlock + kAlignment; end += kAlignment) {
        const auto size = static_cast<std::size_t>(Le(file, end - kTrailer, 2));
        const auto allocated = (size + kTrailer + kAlignment - 1) / kAlignment * kAlignment;
        if (allocated > end || end - allocated > at || end - allocated + size < at + bytes.size())
            continue;
        const auto start = end - allocated;
        if (BlockCrc(file, start, size) != Le(file, end - kTrailer + 4, 4))
            continue;
        file.replace(at, bytes.size(), bytes);
        WriteBlockCrc(file, start, size);
        return;
    }
    throw std::runtime_error("no block holds offset " + std::to_string(at));
}

// Changes two bytes of a leaf page of the node index whose entries all name parentNode as their
// parent (a bad sector among the index pages that list a folder's messages) and leaves the
// page's checksum as it was: more than the one changed byte a checksum can locate, so whatever
// walks the whole index fails there, lookups of other nodes pass by it. Returns how many nodes the
// page lists.
inline std::size_t BreakIndexPageOfChildren(const std::filesystem::path& pst, std::uint32_t parentNode)
{
    using namespace damaged_node;
    constexpr std::size_t kNodeEntryParent = 24;
    std::string file = ReadFile(pst);
    std::vector<std::size_t> pages{static_cast<std::size_t>(Le(file, kNodeRootOffset, 8))};
    while (!pages.empty()) {
        const auto page = pages.back();
        pages.pop_back();
        const std::size_t count = static_cast<unsigned char>(file.at(page + kEntryCount));
        const std::size_t size = static_cast<unsigned char>(file.at(page + kEntrySize));
        if (file.at(page + kLevel) != 0) {
            for (std::size_t i = 0; i < count; ++i)
                pages.push_back(static_cast<std::size_t>(Le(file, page + i * size + 16, 8)));
            continue;
        }
        bool allChildren = count > 0;
        for (std::size_t i = 0; i < count; ++i)
            allChildren = allChildren && Le(file, page + i * size + kNodeEntryParent, 4) == parentNode;
        if (allChildren) {
            BreakNodeEntry(file, page);  // the first entry
            WriteFile(pst, file);
            return count;
        }
    }
    throw std::runtime_error("no index page lists only children of node " + std::to_string(parentNode));
}

// Changes two bytes of the leaf page of the node index that holds node nodeId's entry (the data
// block of that entry) and leaves the page's checksum as it was: every node the page lists is lost
// to lookups, other pages are not.
inline void BreakIndexPageOf(const std::filesystem::path& pst, std::uint32_t nodeId)
{
    using namespace damaged_node;
    std::string file = ReadFile(pst);
    BreakNodeEntry(file, LeafEntry(file, Le(file, kNodeRootOffset, 8), nodeId));
    WriteFile(pst, file);
}

// Takes node nodeId's entry out of the node index, as an index page written over with an older
// copy of itself does: the entry's id becomes one no lookup asks for (the id below it, of the
// internal node type, which keeps the page in order), and the page's checksum is written anew.
inline void LoseIndexEntry(const std::filesystem::path& pst, std::uint32_t nodeId)
{
    using namespace damaged_node;
    constexpr std::size_t kPageSize = 512, kPageChecked = 496, kPageChecksum = 500;
    std::string file = ReadFile(pst);
    const auto entry = LeafEntry(file, Le(file, kNodeRootOffset, 8), nodeId);
    PutLe32(file, entry, (nodeId & ~std::uint32_t{0x1F}) | 0x01);
    const auto page = entry / kPageSize * kPageSize;
    PutLe32(file, page + kPageChecksum, BlockCrc(file, page, kPageChecked));
    WriteFile(pst, file);
}

// Writes newId for oldId wherever the data block of table node tableNode (a single block) holds
// it, in its rows and its row index, and the block's checksum anew: a row that names another node.
inline void ChangeTableRowId(const std::filesystem::path& pst, std::uint32_t tableNode, std::uint32_t oldId,
                             std::uint32_t newId)
{
    using namespace damaged_node;
    std::string file = ReadFile(pst);
    const auto [offset, size] = NodeDataBlock(file, tableNode);
    bool changed = false;
    for (std::size_t at = offset; at + 4 <= offset + size; ++at) {
        if (Le(file, at, 4) == oldId) {
            PutLe32(file, at, newId);
            changed = true;
        }
    }
    if (!changed)
        throw std::runtime_error("table node " + std::to_string(tableNode) + " has no row " + std::to_string(oldId));
    WriteBlockCrc(file, offset, size);
    WriteFile(pst, file);
}

// The node of a folder's hierarchy table, the list of its sub-folders.
inline std::uint32_t HierarchyTableNode(std::uint32_t folderNode)
{
    return (folderNode & ~std::uint32_t{0x1F}) | 0x0D;
}

// The node of a folder's contents table, the list of its items.
inline std::uint32_t ContentsTableNode(std::uint32_t folderNode)
{
    return (folderNode & ~std::uint32_t{0x1F}) | 0x0E;
}

}  // namespace varnemo::testing
