#include "source/pff/direct/node_database.h"

#include "common/errors.h"
#include "source/pff/direct/block_encoding.h"
#include "source/pff/direct/checksum.h"
#include "source/pff/direct/file_layout.h"

#include <fmt/format.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <span>
#include <sys/stat.h>
#include <unistd.h>

namespace varnemo::mapi::pff::direct {
namespace {

// A block id names the same block whatever its lowest bit, which the block B-tree leaves clear.
std::uint64_t BlockKey(std::uint64_t blockId)
{
    return blockId & ~std::uint64_t{1};
}

bool IsInternal(std::uint64_t blockId)
{
    return (blockId & layout::kInternalBlockBit) != 0;
}

}  // namespace

namespace {

// What about a file's header keeps this reader from reading the file; empty when nothing does.
std::string UnsupportedBy(const std::string& header)
{
    if (header.compare(0, 4, "!BDN") != 0)
        return "it has no Outlook data file header";
    const auto version = layout::Get<std::uint16_t>(header, layout::kVersionOffset);
    if (version >= layout::kFourKilobyteVersion)
        return "its pages are 4 KiB (a data file of Outlook 2013 or later)";
    const auto encoding = static_cast<std::uint8_t>(header[layout::FormatOf(header).encodingOffset]);
    if (encoding != layout::kNoEncoding && encoding != layout::kPermuteEncoding && encoding != layout::kCyclicEncoding)
        return fmt::format("it uses encoding {}", encoding);
    return {};
}

}  // namespace

NodeDatabase::Opened NodeDatabase::Open(const std::filesystem::path& path)
{
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        throw ComponentError(fmt::format("cannot open {}: {}", path.string(), std::strerror(errno)));
    std::string header(layout::kHeaderSize, '\0');
    const auto read = ::pread(descriptor, header.data(), header.size(), 0);
    header.resize(read > 0 ? static_cast<std::size_t>(read) : 0);
    if (header.size() < layout::kHeaderSize) {
        ::close(descriptor);
        throw ComponentError(fmt::format("{} is damaged: its header is cut short", path.string()));
    }
    if (auto unsupported = UnsupportedBy(header); !unsupported.empty()) {
        ::close(descriptor);
        return {nullptr, std::move(unsupported)};
    }
    const auto& format = layout::FormatOf(header);
    const auto encoding = static_cast<std::uint8_t>(header[format.encodingOffset]);
    std::unique_ptr<NodeDatabase> nodes(new NodeDatabase(path, descriptor, format, encoding,
                                                         layout::GetId(format, header, format.nodeRootOffset),
                                                         layout::GetId(format, header, format.blockRootOffset),
                                                         layout::GetId(format, header, format.fileSizeOffset)));
    if (encoding == layout::kNoEncoding && nodes->HoldsEncodedData())
        nodes->encoding_ = layout::kPermuteEncoding;
    return {std::move(nodes), {}};
}

// Some files say they are not encoded yet hold their node data with the compressible encoding
// (copies made by Exchange's mailbox merge program, ExMerge). The heap of the message store, or
// of the root folder when the store is lost, shows it: its signature reads right only decoded.
bool NodeDatabase::HoldsEncodedData() const
{
    for (const auto nodeId : {layout::kMessageStoreNodeId, layout::kRootFolderNodeId}) {
        try {
            const auto node = FindNode(nodeId);
            if (!node || IsInternal(node->data))
                continue;
            auto block = ReadBlock(node->data);
            if (block.size() <= layout::kHeapClientAt)
                continue;
            const auto heapSignature = [&] {
                return static_cast<std::uint8_t>(block[layout::kHeapSignatureAt]) == layout::kHeapSignature &&
                       static_cast<std::uint8_t>(block[layout::kHeapClientAt]) == layout::kPropertyContextHeap;
            };
            if (heapSignature())
                return false;
            encoding::Decode(layout::kPermuteEncoding, node->data, block.data(), layout::kHeapClientAt + 1);
            return heapSignature();
        } catch (const ComponentError&) {
        }
    }
    return false;
}

NodeDatabase::NodeDatabase(std::filesystem::path path, int descriptor, const layout::Format& format,
                           std::uint8_t encoding, std::uint64_t nodeRoot, std::uint64_t blockRoot,
                           std::uint64_t declaredSize)
    : path_(std::move(path)),
      where_(path_.string()),
      descriptor_(descriptor),
      format_(format),
      encoding_(encoding),
      nodeRoot_(nodeRoot),
      blockRoot_(blockRoot),
      declaredSize_(declaredSize)
{
}

NodeDatabase::~NodeDatabase()
{
    ::close(descriptor_);
}

void NodeDatabase::ReadExact(std::uint64_t offset, char* into, std::size_t size) const
{
    std::size_t done = 0;
    while (done < size) {
        const auto read = ::pread(descriptor_, into + done, size - done, static_cast<off_t>(offset + done));
        if (read < 0 && errno == EINTR)
            continue;
        if (read <= 0) {
            throw ComponentError(fmt::format("cannot read {} at offset {}: {}", where_, offset,
                                             read < 0 ? std::strerror(errno) : WhyFileEnds()));
        }
        done += static_cast<std::size_t>(read);
    }
}

// A file that ends before the size its header gives was cut short (a copy that stopped, a full
// disk): saying so tells the user what happened to it, where an offset alone would not.
std::string NodeDatabase::WhyFileEnds() const
{
    struct stat status {};
    if (::fstat(descriptor_, &status) == 0 && static_cast<std::uint64_t>(status.st_size) < declaredSize_)
        return fmt::format("the file ends there, cut short at {} of the {} bytes its header gives", status.st_size,
                           declaredSize_);
    return "the file ends there";
}

const std::string& NodeDatabase::Page(std::uint64_t offset, std::uint8_t pageType) const
{
    constexpr std::size_t kMaxCachedPages = 2048;
    if (const auto found = pages_.find(offset); found != pages_.end()) {
        if (static_cast<std::uint8_t>(found->second[format_.pageTypeOffset]) != pageType)
            throw ComponentError(fmt::format("{} is damaged: the page at offset {} is in two indexes", where_, offset));
        return found->second;
    }
    if (pages_.size() >= kMaxCachedPages)
        pages_.clear();
    return pages_.emplace(offset, ReadPage(offset, pageType)).first->second;
}

namespace {

// One page lists the blocks of many items, or a whole folder's nodes: a single changed byte, which
// its checksum locates, is set right rather than losing them all.
bool HoldsItsChecksum(const layout::Format& format, std::string& page)
{
    const std::span checked(page.data(), format.pageCheckedSize);
    const auto stored = layout::Get<std::uint32_t>(page, format.pageChecksumOffset);
    return ChecksumHolds(std::string_view(checked.data(), checked.size()), stored) ||
           RepairOneChangedByte(checked, stored);
}

}  // namespace

// Beyond one changed byte, a page of the block index is read all the same, as libpff does: every
// block it leads to is checked on its own (its trailer names the block and its size, its checksum
// its bytes), so a changed entry costs that block alone. A changed entry of the node index could
// lead to another node's data unnoticed: such a page fails.
std::string NodeDatabase::ReadPage(std::uint64_t offset, std::uint8_t pageType) const
{
    std::string page(layout::kPageSize, '\0');
    ReadExact(offset, page.data(), page.size());
    if (static_cast<std::uint8_t>(page[format_.pageTypeOffset]) == pageType &&
        (HoldsItsChecksum(format_, page) || pageType == layout::kBlockBTreePage))
        return page;
    throw ComponentError(fmt::format("{} is damaged: the index page at offset {} fails its check", where_, offset));
}

namespace {

struct PageEntries {
    std::size_t count = 0;
    std::size_t size = 0;
    int level = 0;
};

PageEntries EntriesOf(const layout::Format& format, const std::string& page, std::size_t leafEntrySize,
                      const std::string& where)
{
    PageEntries entries{static_cast<std::uint8_t>(page[format.pageEntryCountOffset]),
                        static_cast<std::uint8_t>(page[format.pageEntrySizeOffset()]),
                        static_cast<std::uint8_t>(page[format.pageLevelOffset()])};
    const auto expected = entries.level > 0 ? format.branchEntrySize : leafEntrySize;
    if (entries.size < expected || entries.count * entries.size > format.pageEntriesSize)
        throw ComponentError(fmt::format("{} is damaged: an index page has a wrong layout", where));
    return entries;
}

// Walks a B-tree from its root page to the leaf entry with this key; the offset of that entry in
// the page it returns, or nothing when no entry has the key.
template <typename ReadPage>
std::optional<std::pair<std::string, std::size_t>> FindLeafEntry(const layout::Format& format, std::uint64_t rootOffset,
                                                                 std::uint64_t key, std::size_t leafEntrySize,
                                                                 const ReadPage& readPage, const std::string& where)
{
    auto offset = rootOffset;
    for (int depth = 0; depth < layout::kMaxTreeDepth; ++depth) {
        const std::string& page = readPage(offset);
        const auto entries = EntriesOf(format, page, leafEntrySize, where);
        if (entries.level == 0) {
            for (std::size_t i = 0; i < entries.count; ++i) {
                if (layout::GetId(format, page, i * entries.size) == key)
                    return std::make_pair(page, i * entries.size);
            }
            return std::nullopt;
        }
        // The child to descend into is the last one whose first key is not above the key.
        std::optional<std::uint64_t> child;
        for (std::size_t i = 0; i < entries.count; ++i) {
            if (layout::GetId(format, page, i * entries.size) > key)
                break;
            child = layout::GetId(format, page, i * entries.size + format.branchChildOffset);
        }
        if (!child)
            return std::nullopt;
        offset = *child;
    }
    throw ComponentError(fmt::format("{} is damaged: an index is deeper than any index can be", where));
}

}  // namespace

std::optional<NodeBlocks> NodeDatabase::FindNode(std::uint32_t nodeId) const
{
    const auto found = FindLeafEntry(
        format_, nodeRoot_, nodeId, format_.nodeEntrySize,
        [&](std::uint64_t offset) -> const std::string& { return Page(offset, layout::kNodeBTreePage); }, where_);
    if (!found)
        return std::nullopt;
    const auto& [page, at] = *found;
    return NodeBlocks{layout::GetId(format_, page, at + format_.nodeEntryDataAt),
                      layout::GetId(format_, page, at + format_.nodeEntrySubnodesAt),
                      layout::Get<std::uint32_t>(page, at + format_.nodeEntryParentAt)};
}

NodeDatabase::ChildListing NodeDatabase::ChildNodes(std::uint32_t parentId,
                                                   std::initializer_list<std::uint8_t> nodeTypes) const
{
    std::uint32_t typeBits = 0;
    for (const auto type : nodeTypes)
        typeBits |= std::uint32_t{1} << (type & layout::kNodeTypeBits);
    std::unordered_set<std::uint64_t> visited;
    ChildListing children;
    CollectChildNodes(nodeRoot_, parentId, typeBits, 0, visited, children);
    std::sort(children.ids.begin(), children.ids.end());
    return children;
}

// Pages are read past the cache, which the walk would only flush; a page met twice (a damaged
// index that points back) is walked once.
void NodeDatabase::CollectChildNodes(std::uint64_t pageOffset, std::uint32_t parentId, std::uint32_t typeBits,
                                     int depth, std::unordered_set<std::uint64_t>& visited,
                                     ChildListing& children) const
{
    if (depth >= layout::kMaxTreeDepth)
        throw ComponentError(fmt::format("{} is damaged: an index is deeper than any index can be", where_));
    if (!visited.insert(pageOffset).second)
        return;
    const auto page = ReadPage(pageOffset, layout::kNodeBTreePage);
    const auto entries = EntriesOf(format_, page, format_.nodeEntrySize, where_);
    for (std::size_t i = 0; i < entries.count; ++i) {
        const auto at = i * entries.size;
        if (entries.level > 0) {
            // A damaged page costs the entries below it, not the ones beside it; the caller
            // learns that the listing may be short.
            try {
                CollectChildNodes(layout::GetId(format_, page, at + format_.branchChildOffset), parentId, typeBits,
                                  depth + 1, visited, children);
            } catch (const ComponentError& error) {
                if (children.unreadPart.empty())
                    children.unreadPart = error.what();
            }
            continue;
        }
        // The root folder is its own parent, not its own child.
        const auto nodeId = static_cast<std::uint32_t>(layout::GetId(format_, page, at));
        if ((typeBits >> (nodeId & layout::kNodeTypeBits) & 1) != 0 && nodeId != parentId &&
            layout::Get<std::uint32_t>(page, at + format_.nodeEntryParentAt) == parentId)
            children.ids.push_back(nodeId);
    }
}

NodeDatabase::BlockLocation NodeDatabase::FindBlock(std::uint64_t blockId) const
{
    const auto found = FindLeafEntry(
        format_, blockRoot_, BlockKey(blockId), format_.blockEntrySize,
        [&](std::uint64_t offset) -> const std::string& { return Page(offset, layout::kBlockBTreePage); }, where_);
    if (!found)
        throw ComponentError(fmt::format("{} is damaged: block {} is missing", where_, blockId));
    const auto& [page, at] = *found;
    return {layout::GetId(format_, page, at + format_.blockEntryOffsetAt),
            layout::Get<std::uint16_t>(page, at + format_.blockEntrySizeAt)};
}

std::string NodeDatabase::ReadBlock(std::uint64_t blockId) const
{
    const auto location = FindBlock(blockId);
    if (location.size > format_.maxBlockData())
        throw ComponentError(fmt::format("{} is damaged: block {} is too large", where_, blockId));
    std::string block(format_.storedBlockSize(location.size), '\0');
    ReadExact(location.offset, block.data(), block.size());
    const auto trailer = block.size() - format_.blockTrailerSize;
    const auto checksum = layout::Get<std::uint32_t>(block, trailer + format_.trailerChecksumAt);
    if (layout::Get<std::uint16_t>(block, trailer) != location.size ||
        BlockKey(layout::GetId(format_, block, trailer + format_.trailerIdAt)) != BlockKey(blockId))
        throw ComponentError(fmt::format("{} is damaged: block {} is not where its index says", where_, blockId));
    block.resize(location.size);
    if (!ChecksumHolds(block, checksum))
        throw ComponentError(fmt::format("{} is damaged: block {} fails its checksum", where_, blockId));
    // Only the blocks that hold node data are encoded, never the trees that list blocks.
    if (!IsInternal(blockId))
        encoding::Decode(encoding_, BlockKey(blockId), block.data(), block.size());
    return block;
}

void NodeDatabase::ForEachLeafBlock(std::uint64_t blockId, std::string&& block,
                                    const std::function<void(std::string&&)>& leaf, int depth) const
{
    if (!IsInternal(blockId)) {
        leaf(std::move(block));
        return;
    }
    if (block.size() < layout::kTreeBlockHeaderSize || block[0] != layout::kDataTreeBlock || block[1] == 0 ||
        block[1] > layout::kMaxDataTreeLevel || depth >= layout::kMaxDataTreeLevel)
        throw ComponentError(fmt::format("{} is damaged: block {} is not a data tree", where_, blockId));
    const std::size_t count = layout::Get<std::uint16_t>(block, 2);
    if (layout::kTreeBlockHeaderSize + count * format_.idSize > block.size())
        throw ComponentError(fmt::format("{} is damaged: data tree block {} is cut short", where_, blockId));
    for (std::size_t i = 0; i < count; ++i) {
        const auto child = layout::GetId(format_, block, layout::kTreeBlockHeaderSize + i * format_.idSize);
        ForEachLeafBlock(child, ReadBlock(child), leaf, depth + 1);
    }
}

void NodeDatabase::ForEachDataBlock(std::uint64_t dataBlock, const std::function<void(std::string&&)>& leaf) const
{
    if (dataBlock == 0)
        return;
    auto root = ReadBlock(dataBlock);
    if (!IsInternal(dataBlock)) {
        leaf(std::move(root));
        return;
    }
    // A data tree states its total size: a damaged one that names its blocks over and over must
    // not read on and on, nor one that lost blocks pass for whole.
    const std::uint64_t declared = layout::Get<std::uint32_t>(root, 4);
    std::uint64_t total = 0;
    ForEachLeafBlock(
        dataBlock, std::move(root),
        [&](std::string&& block) {
            total += block.size();
            if (total > declared)
                throw ComponentError(fmt::format("{} is damaged: the data of block {} is longer than it says",
                                                 where_, dataBlock));
            leaf(std::move(block));
        },
        0);
    if (total != declared)
        throw ComponentError(fmt::format("{} is damaged: the data of block {} is shorter than it says", where_, dataBlock));
}

void NodeDatabase::ReadData(std::uint64_t dataBlock, const ByteSink& sink) const
{
    ForEachDataBlock(dataBlock, [&](std::string&& block) { sink(block); });
}

std::vector<std::string> NodeDatabase::DataBlocks(std::uint64_t dataBlock) const
{
    std::vector<std::string> blocks;
    ForEachDataBlock(dataBlock, [&](std::string&& block) { blocks.push_back(std::move(block)); });
    return blocks;
}

std::string NodeDatabase::SubnodeData(std::uint64_t subnodeBlock, std::uint32_t nodeId) const
{
    const auto found = FindSubnode(subnodeBlock, nodeId);
    if (!found)
        throw ComponentError(fmt::format("{} is damaged: sub-node {:#x} is missing", where_, nodeId));
    std::string data;
    ReadData(found->data, [&](std::string_view bytes) { data.append(bytes); });
    return data;
}

std::optional<NodeBlocks> NodeDatabase::FindSubnode(std::uint64_t subnodeBlock, std::uint32_t nodeId) const
{
    auto blockId = subnodeBlock;
    for (int depth = 0; blockId != 0 && depth <= 1; ++depth) {
        const auto block = ReadBlock(blockId);
        const auto header = format_.subnodeHeaderSize;
        const bool leaf = block.size() >= header && block[1] == 0;
        const std::size_t entrySize = leaf ? format_.subnodeLeafEntrySize : format_.subnodeBranchEntrySize;
        const std::size_t count = block.size() >= 4 ? layout::Get<std::uint16_t>(block, 2) : 0;
        if (block.size() < header || block[0] != layout::kSubnodeTreeBlock || header + count * entrySize > block.size())
            throw ComponentError(fmt::format("{} is damaged: block {} is not a sub-node tree", where_, blockId));
        std::uint64_t child = 0;
        for (std::size_t i = 0; i < count; ++i) {
            const auto at = header + i * entrySize;
            const auto id = static_cast<std::uint32_t>(layout::GetId(format_, block, at));
            if (leaf && id == nodeId)
                return NodeBlocks{layout::GetId(format_, block, at + format_.idSize),
                                  layout::GetId(format_, block, at + 2 * format_.idSize)};
            if (!leaf && id <= nodeId)
                child = layout::GetId(format_, block, at + format_.idSize);
        }
        if (leaf)
            return std::nullopt;
        blockId = child;
    }
    return std::nullopt;
}

}  // namespace varnemo::mapi::pff::direct
