#pragma once

#include "source/pff/byte_sink.h"
#include "source/pff/direct/file_layout.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace varnemo::mapi::pff::direct {

// Where a node keeps its data and its sub-nodes (block ids; 0 when it has none), and its parent.
struct NodeBlocks {
    std::uint64_t data = 0;
    std::uint64_t subnodes = 0;
    std::uint32_t parent = 0;  // of a node of the node index: the folder that holds it
};

// The node and block layer of an Outlook data file (Unicode or ANSI), read straight from the
// file: the two B-trees, blocks (checked against their checksum, decoded), data trees and sub-node trees.
//
// libpff reads the whole value of an attachment each time it reads the attachment's properties,
// and keeps every index page it visited in memory; this reader keeps nothing but its file.
// It reads files of 512-byte pages with any of the three encodings; Open says why it does not read
// the others (4 KiB pages, an encoding it does not know), and libpff reads those.
// One thread at a time: it keeps the index pages it read last.
class NodeDatabase {
public:
    struct Opened {
        std::unique_ptr<NodeDatabase> nodes;
        std::string unsupported;  // why nodes is null: what about the file this reader does not read
    };
    // Throws ComponentError when the file cannot be opened.
    static Opened Open(const std::filesystem::path& path);

    NodeDatabase(const NodeDatabase&) = delete;
    NodeDatabase& operator=(const NodeDatabase&) = delete;
    ~NodeDatabase();

    std::optional<NodeBlocks> FindNode(std::uint32_t nodeId) const;

    struct ChildListing {
        std::vector<std::uint32_t> ids;  // in id order
        // Why the listing may be short: the first index page below the root that fails its check
        // (the walk goes on past it). Empty when the whole index was read.
        std::string unreadPart;
    };
    // The nodes of these types (the low five bits of an id) whose parent is parentId, from a walk
    // of the whole node index: what a folder holds when its table cannot be read.
    ChildListing ChildNodes(std::uint32_t parentId, std::initializer_list<std::uint8_t> nodeTypes) const;
    // The most nodes a file of its size can hold: each takes an index entry and a block of its own.
    std::uint64_t MostNodes() const { return declaredSize_ / layout::kBlockAlignment; }
    std::optional<NodeBlocks> FindSubnode(std::uint64_t subnodeBlock, std::uint32_t nodeId) const;

    // The data of a node, block by block, in order.
    void ReadData(std::uint64_t dataBlock, const ByteSink& sink) const;
    // The leaf blocks of a node's data, each whole: a heap addresses its pages by block index.
    std::vector<std::string> DataBlocks(std::uint64_t dataBlock) const;
    // All the data of a sub-node, which must exist.
    std::string SubnodeData(std::uint64_t subnodeBlock, std::uint32_t nodeId) const;

    const std::string& where() const { return where_; }

private:
    struct BlockLocation {
        std::uint64_t offset = 0;
        std::uint16_t size = 0;
    };

    NodeDatabase(std::filesystem::path path, int descriptor, const layout::Format& format, std::uint8_t encoding,
                 std::uint64_t nodeRoot, std::uint64_t blockRoot, std::uint64_t declaredSize);

    bool HoldsEncodedData() const;
    const std::string& Page(std::uint64_t offset, std::uint8_t pageType) const;
    std::string ReadPage(std::uint64_t offset, std::uint8_t pageType) const;
    // typeBits: bit n set for node type n.
    void CollectChildNodes(std::uint64_t pageOffset, std::uint32_t parentId, std::uint32_t typeBits, int depth,
                           std::unordered_set<std::uint64_t>& visited, ChildListing& children) const;
    BlockLocation FindBlock(std::uint64_t blockId) const;
    std::string ReadBlock(std::uint64_t blockId) const;
    void ForEachDataBlock(std::uint64_t dataBlock, const std::function<void(std::string&&)>& leaf) const;
    void ForEachLeafBlock(std::uint64_t blockId, std::string&& block, const std::function<void(std::string&&)>& leaf,
                          int depth) const;
    void ReadExact(std::uint64_t offset, char* into, std::size_t size) const;
    std::string WhyFileEnds() const;

    std::filesystem::path path_;
    std::string where_;
    int descriptor_ = -1;
    const layout::Format& format_;
    // Of the blocks of node data: as the header says, or as the data shows.
    std::uint8_t encoding_ = layout::kNoEncoding;
    std::uint64_t nodeRoot_ = 0;
    std::uint64_t blockRoot_ = 0;
    std::uint64_t declaredSize_ = 0;  // what the header says the file's size is
    // Every lookup passes the same few upper pages, and the blocks of one node sit side by side
    // in the leaves: a small cache, emptied when full, saves most page reads.
    mutable std::unordered_map<std::uint64_t, std::string> pages_;
};

}  // namespace varnemo::mapi::pff::direct
