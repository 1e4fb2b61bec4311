#include "btree_pages.h"

#include "block_checksum.h"
#include "page.h"

#include <algorithm>
#include <functional>

namespace pstgen {

namespace {

constexpr std::size_t kEntriesArea = kFormat.pageEntriesSize;
constexpr std::size_t kIndexEntrySize = kFormat.branchEntrySize;
constexpr std::size_t kNodeEntrySize = kFormat.nodeEntrySize;
constexpr std::size_t kBlockEntrySize = kFormat.blockEntrySize;
// A block is referenced once, from its node or its parent tree block, and once by the B-tree.
constexpr std::uint16_t kBlockReferences = 2;

struct KeyedPage {
    std::uint64_t firstKey;
    PageRef ref;
};

Bytes PageContent(const Bytes& entries, std::size_t count, std::size_t entrySize, std::uint8_t level)
{
    Bytes content = entries;
    content.resize(kEntriesArea, 0);
    PutLE(content, static_cast<std::uint8_t>(count));
    PutLE(content, static_cast<std::uint8_t>(kEntriesArea / entrySize));
    PutLE(content, static_cast<std::uint8_t>(entrySize));
    PutLE(content, level);
    PutLE(content, std::uint32_t{0});
    return content;
}

// Writes one level of pages over count entries and returns the pages with their first keys.
std::vector<KeyedPage> WriteLevel(PageType type, std::size_t entrySize, std::uint8_t level, std::size_t count,
                                  const std::function<std::uint64_t(std::size_t)>& keyOf,
                                  const std::function<void(Bytes&, std::size_t)>& putEntry, PageWriter& pages)
{
    const auto perPage = kEntriesArea / entrySize;
    std::vector<KeyedPage> written;
    for (std::size_t first = 0; first < count; first += perPage) {
        const auto inPage = std::min(perPage, count - first);
        Bytes entries;
        for (std::size_t i = first; i < first + inPage; ++i)
            putEntry(entries, i);
        written.push_back({keyOf(first), pages.Write(type, PageContent(entries, inPage, entrySize, level))});
    }
    return written;
}

PageRef WriteIndexLevels(PageType type, std::vector<KeyedPage> level, PageWriter& pages)
{
    for (std::uint8_t depth = 1; level.size() > 1; ++depth) {
        const auto children = std::move(level);
        level = WriteLevel(
            type, kIndexEntrySize, depth, children.size(), [&](std::size_t i) { return children[i].firstKey; },
            [&](Bytes& out, std::size_t i) {
                PutLE(out, children[i].firstKey);
                PutLE(out, children[i].ref.bid);
                PutLE(out, children[i].ref.offset);
            },
            pages);
    }
    return level.front().ref;
}

}  // namespace

PageRef PageWriter::Write(PageType type, ByteView content)
{
    const std::uint64_t bid = nextIndex_++ << 2;
    const auto offset = space_.Allocate(kPageSize, kPageSize);
    file_.WriteAt(offset, MakePage(type, content, BlockSignature(offset, bid), bid));
    return {bid, offset};
}

PageRef WriteNodeBTree(std::vector<NodeRecord> nodes, PageWriter& pages)
{
    std::sort(nodes.begin(), nodes.end(), [](const auto& a, const auto& b) { return a.nid < b.nid; });
    auto leaves = WriteLevel(
        PageType::NodeBTree, kNodeEntrySize, 0, nodes.size(), [&](std::size_t i) { return std::uint64_t{nodes[i].nid}; },
        [&](Bytes& out, std::size_t i) {
            PutLE(out, std::uint64_t{nodes[i].nid});
            PutLE(out, nodes[i].data);
            PutLE(out, nodes[i].subnodes);
            PutLE(out, nodes[i].parent);
            PutLE(out, std::uint32_t{0});
        },
        pages);
    return WriteIndexLevels(PageType::NodeBTree, std::move(leaves), pages);
}

PageRef WriteBlockBTree(std::vector<BlockRecord> blocks, PageWriter& pages)
{
    std::sort(blocks.begin(), blocks.end(), [](const auto& a, const auto& b) { return a.bid < b.bid; });
    auto leaves = WriteLevel(
        PageType::BlockBTree, kBlockEntrySize, 0, blocks.size(), [&](std::size_t i) { return blocks[i].bid; },
        [&](Bytes& out, std::size_t i) {
            PutLE(out, blocks[i].bid);
            PutLE(out, blocks[i].offset);
            PutLE(out, blocks[i].size);
            PutLE(out, kBlockReferences);
            PutLE(out, std::uint32_t{0});
        },
        pages);
    return WriteIndexLevels(PageType::BlockBTree, std::move(leaves), pages);
}

}  // namespace pstgen
