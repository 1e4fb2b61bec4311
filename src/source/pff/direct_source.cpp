#include "source/pff/direct_source.h"

#include "common/errors.h"
#include "source/pff/direct/compressed_rtf.h"
#include "source/pff/direct/file_layout.h"
#include "source/pff/direct/property_context.h"
#include "source/pff/direct/table_context.h"
#include "source/pff/property_tags.h"

#include <fmt/format.h>

#include <algorithm>
#include <exception>
#include <limits>
#include <unordered_set>
#include <utility>

namespace varnemo::mapi::pff {
namespace {

constexpr std::uint32_t kHierarchyTable = 0x0D;
constexpr std::uint32_t kContentsTable = 0x0E;
constexpr std::uint32_t kRecipientTableNode = 0x692;
constexpr std::uint32_t kAttachmentTableNode = 0x671;
constexpr std::uint16_t kAttachDataId = 0x3701;
constexpr std::uint16_t kAttachMethodId = 0x3705;
constexpr std::uint16_t kRtfCompressedId = 0x1009;
constexpr std::uint16_t kObjectType = 0x000D;
constexpr std::int64_t kEmbeddedMessageMethod = 5;

// Without the name-to-id map a named property's value cannot be told from another's: the values
// are there, what they stand for is not.
std::string UnnamedLeftOut(std::size_t count, const std::string& whyUnreadable)
{
    if (count == 0)
        return {};
    return fmt::format("{} named {} left out, as the name-to-id map that names them cannot be read: {}", count,
                       count == 1 ? "property is" : "properties are", whyUnreadable);
}

std::uint32_t TableOf(std::uint32_t folderId, std::uint32_t kind)
{
    return (folderId & ~direct::layout::kNodeTypeBits) | kind;
}

// A table row's large values lie in the table's own sub-nodes; they are small, so read at once.
void ReadLargeCells(const direct::NodeDatabase& nodes, const direct::NodeBlocks& table,
                    std::vector<direct::StoredProperty>& cells)
{
    for (auto& cell : cells) {
        if (cell.subnode)
            cell.bytes = nodes.SubnodeData(table.subnodes, *std::exchange(cell.subnode, std::nullopt));
    }
}

// The row ids of folder folderId's table of this kind (0x0D hierarchy, 0x0E contents); nothing
// when the index has no such table. where names the folder in error messages.
std::optional<std::vector<std::uint32_t>> TableRowIds(const direct::NodeDatabase& nodes, std::uint32_t folderId,
                                                      std::uint32_t kind, const std::string& where)
{
    const auto table = nodes.FindNode(TableOf(folderId, kind));
    if (!table)
        return std::nullopt;
    return direct::ReadTableRowIds(nodes.DataBlocks(table->data),
                                   (kind == kHierarchyTable ? "the hierarchy table of " : "the contents table of ") +
                                       where);
}

// The sub-folders that folder folderId's hierarchy table lists; none when it cannot be read.
std::vector<std::uint32_t> SubFolderIds(const direct::NodeDatabase& nodes, std::uint32_t folderId)
{
    try {
        return TableRowIds(nodes, folderId, kHierarchyTable, fmt::format("node {:#x}", folderId)).value_or(
            std::vector<std::uint32_t>{});
    } catch (const ComponentError&) {
        return {};
    }
}

// The folder whose hierarchy table lists folderId, found by walking the tables down from the root
// folder; 0 when none does.
std::uint32_t ListingFolder(const direct::NodeDatabase& nodes, std::uint32_t folderId)
{
    std::vector<std::uint32_t> folders{direct::layout::kRootFolderNodeId};
    std::unordered_set<std::uint32_t> seen(folders.begin(), folders.end());
    for (std::size_t next = 0; next < folders.size(); ++next) {
        const auto parentId = folders[next];
        for (const auto childId : SubFolderIds(nodes, parentId)) {
            if (childId == folderId)
                return parentId;
            if (seen.insert(childId).second)
                folders.push_back(childId);
        }
    }
    return 0;
}

// The row of folder folderId in the hierarchy table of folder parentId: its name, class and
// counts. Nothing when the table cannot be read or does not list the folder.
std::optional<std::vector<direct::StoredProperty>> HierarchyRow(const direct::NodeDatabase& nodes,
                                                                std::uint32_t parentId, std::uint32_t folderId)
{
    constexpr std::uint16_t kRowId = 0x67F2;
    if (parentId == 0 || parentId == folderId)
        return std::nullopt;
    try {
        const auto table = nodes.FindNode(TableOf(parentId, kHierarchyTable));
        if (!table)
            return std::nullopt;
        const auto where = fmt::format("the hierarchy table of node {:#x}", parentId);
        for (auto& cells : direct::ReadTableRows(nodes, *table, where)) {
            const auto rowId = std::ranges::find(cells, kRowId, &direct::StoredProperty::id);
            if (rowId == cells.end() || rowId->bytes.size() != 4 ||
                direct::layout::Get<std::uint32_t>(rowId->bytes, 0) != folderId)
                continue;
            ReadLargeCells(nodes, *table, cells);
            return std::move(cells);
        }
    } catch (const ComponentError&) {
        // The damage that sent the caller here is the one to tell.
    }
    return std::nullopt;
}

// How many of a folder's sub-folders a walk of the node index missed, as far as its flag tells:
// one stands for those that cannot be named. Nothing when the flag cannot tell (the walk missed
// part of the index, and the folder does not say, or denies the sub-folders found).
std::optional<std::int64_t> UnlistedSubFolders(std::int64_t found, bool partial, std::optional<std::int64_t> hasSome)
{
    if (hasSome == 1 && (found == 0 || partial))
        return 1;
    if (!partial || (hasSome == 0 && found == 0))
        return 0;
    return std::nullopt;
}

// How many of a folder's items a walk of the node index missed, by its count of them. Nothing
// when the count is unknown and the walk missed part of the index.
std::optional<std::int64_t> UnlistedItems(std::int64_t found, bool partial, std::optional<std::int64_t> held)
{
    if (!held)
        return partial ? std::nullopt : std::optional<std::int64_t>{0};
    return std::max<std::int64_t>(*held - found, 0);
}

std::string MessageOf(const std::exception_ptr& error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    }
}

[[noreturn]] void Missing(const std::string& where, std::string_view what)
{
    throw ComponentError(fmt::format("cannot read {}: {} is missing", where, what));
}

}  // namespace

std::shared_ptr<DirectSource> DirectSource::FromNode(std::shared_ptr<const DirectFile> file, std::uint32_t nodeId)
{
    const auto blocks = file->nodes->FindNode(nodeId);
    if (!blocks)
        return nullptr;
    return std::make_shared<DirectSource>(std::move(file), nodeId, *blocks, nullptr);
}

std::shared_ptr<DirectSource> DirectSource::Folder(std::shared_ptr<const DirectFile> file, std::uint32_t folderId,
                                                 std::uint32_t parentId)
{
    std::exception_ptr unreadable;
    try {
        if (auto node = FromNode(file, folderId))
            return node;
    } catch (const ComponentError&) {
        unreadable = std::current_exception();
    }
    const auto& nodes = *file->nodes;
    auto row = HierarchyRow(nodes, parentId ? parentId : ListingFolder(nodes, folderId), folderId);
    if (!row) {
        if (unreadable)
            std::rethrow_exception(unreadable);
        return nullptr;
    }
    auto folder = std::make_shared<DirectSource>(std::move(file), folderId, direct::NodeBlocks{}, nullptr);
    folder->stored_ = std::move(row);
    return folder;
}

DirectSource::DirectSource(std::shared_ptr<const DirectFile> file, std::uint32_t nodeId, direct::NodeBlocks blocks,
                           std::shared_ptr<const DirectSource> parent)
    : file_(std::move(file)), nodeId_(nodeId), blocks_(blocks), parent_(std::move(parent))
{
}

const std::vector<direct::StoredProperty>& DirectSource::StoredProperties(const std::string& where) const
{
    // An attachment is asked for its properties, its kind and its data in turn: one read serves all.
    if (stored_)
        return *stored_;
    try {
        stored_ = direct::ReadPropertyContext(nodes().DataBlocks(blocks_.data), where);
    } catch (const ComponentError&) {
        // A folder is a row of its parent's hierarchy table too, with its name, class and counts,
        // and its items and sub-folders are tables of its own: a damaged block of its properties
        // need not cost them.
        auto row =
            direct::layout::IsFolderNode(nodeId_) ? HierarchyRow(nodes(), blocks_.parent, nodeId_) : std::nullopt;
        if (!row)
            throw;
        stored_ = std::move(row);
    }
    return *stored_;
}

std::optional<direct::StoredProperty> DirectSource::Stored(std::uint16_t id, const std::string& where) const
{
    const auto& stored = StoredProperties(where);
    const auto found = std::find_if(stored.begin(), stored.end(), [&](const auto& p) { return p.id == id; });
    if (found == stored.end())
        return std::nullopt;
    return *found;
}

PropertyBag DirectSource::BagOf(std::vector<direct::StoredProperty> stored, std::string where) const
{
    std::vector<StoredValue> values;
    values.reserve(stored.size());
    std::size_t unnamed = 0;
    for (auto& property : stored) {
        if (property.id >= direct::kFirstNamedId && !file_->namesUnreadable.empty())
            ++unnamed;
        // As with libpff, a local id that the map does not know stays a plain tag.
        StoredValue value{file_->names.KeyOf(property.id).value_or(PropertyKey::Tag(property.id)), property.type,
                          std::nullopt, {}};
        if (property.subnode) {
            value.read = [self = shared_from_this(), subnode = *property.subnode] {
                return self->nodes().SubnodeData(self->blocks_.subnodes, subnode);
            };
        } else
            value.bytes = std::move(property.bytes);
        values.push_back(std::move(value));
    }
    return PropertyBag(std::move(values), std::move(where), UnnamedLeftOut(unnamed, file_->namesUnreadable));
}

PropertyBag DirectSource::Properties(std::string where) const
{
    // Read before where is moved into the bag: the order in which arguments are made is open.
    const auto& stored = StoredProperties(where);
    return BagOf(stored, std::move(where));
}

SourceRef DirectSource::NodeOfFile(std::uint32_t nodeId, const std::string& where) const
{
    auto node = FromNode(file_, nodeId);
    if (!node)
        Missing(where, fmt::format("node {:#x}", nodeId));
    return node;
}

SourceRef DirectSource::Subnode(std::uint32_t nodeId, const std::string& where) const
{
    const auto blocks = blocks_.subnodes ? nodes().FindSubnode(blocks_.subnodes, nodeId) : std::nullopt;
    if (!blocks)
        Missing(where, fmt::format("sub-node {:#x}", nodeId));
    return std::make_shared<DirectSource>(file_, nodeId, *blocks, shared_from_this());
}

std::uint32_t DirectSource::FolderListing::At(int at) const
{
    if (at >= static_cast<int>(ids.size()))
        throw ComponentError(whyUnlisted);
    return ids.at(static_cast<std::size_t>(at));
}

const DirectSource::FolderListing& DirectSource::FolderTable(std::uint32_t kind, std::optional<FolderListing>& cache,
                                                             const std::string& where) const
{
    if (cache)
        return *cache;
    try {
        auto rowIds = TableRowIds(nodes(), nodeId_, kind, where);
        // Every folder has a table of each kind (a search folder has others): one that the index
        // does not list was lost with an index page.
        if (!rowIds && direct::layout::IsFolderNode(nodeId_))
            Missing(where, fmt::format("node {:#x}", TableOf(nodeId_, kind)));
        cache = FolderListing{std::move(rowIds).value_or(std::vector<std::uint32_t>{}), 0, {}};
    } catch (const ComponentError&) {
        cache = ListingFromIndex(kind, where, std::current_exception());
    }
    return *cache;
}

// A table only lists what the node index knows too: each folder and message names its folder
// there. What the index does not tell (an entry lost, a page that fails its check), the folder's
// own counts do: how many items it holds, whether it has sub-folders. What they say is missing
// stands at the end of the listing, as entries that cannot be read; when neither the index nor the
// counts answer, the table's damage is the reason.
DirectSource::FolderListing DirectSource::ListingFromIndex(std::uint32_t kind, const std::string& where,
                                                           const std::exception_ptr& tableDamage) const
{
    constexpr std::uint16_t kContentCount = 0x3602, kHasSubFolders = 0x360A;
    namespace layout = direct::layout;
    direct::NodeDatabase::ChildListing children;
    try {
        children = kind == kHierarchyTable
                       ? nodes().ChildNodes(nodeId_, {layout::kFolderNode, layout::kSearchFolderNode})
                       : nodes().ChildNodes(nodeId_, {layout::kMessageNode});
    } catch (const ComponentError&) {
        std::rethrow_exception(tableDamage);
    }
    const auto found = static_cast<std::int64_t>(children.ids.size());
    const bool partial = !children.unreadPart.empty();
    auto held = StoredNumber(kind == kHierarchyTable ? kHasSubFolders : kContentCount);
    // A count that no file of this size could hold is damage, not a count (nor one a listing of
    // int entries could hold).
    const auto most = std::min<std::uint64_t>(nodes().MostNodes(), std::numeric_limits<int>::max() / 2);
    if (held && static_cast<std::uint64_t>(std::max<std::int64_t>(*held, 0)) > most)
        held.reset();
    // A folder read from its parent's row under which the index names no item may be a row that
    // names a node a damaged index lost, or one that never was: nothing of it can be told. (Its
    // sub-folders may have gone with the page that lost its own entry.)
    if (kind == kContentsTable && found == 0 && ReadFromParentsRow() && held != 0)
        std::rethrow_exception(tableDamage);
    const auto unlisted =
        kind == kHierarchyTable ? UnlistedSubFolders(found, partial, held) : UnlistedItems(found, partial, held);
    if (!unlisted)
        std::rethrow_exception(tableDamage);
    if (*unlisted == 0)
        return {std::move(children.ids), 0, {}};
    const auto why = partial ? children.unreadPart : MessageOf(tableDamage);
    if (kind == kContentsTable)
        return {std::move(children.ids), static_cast<int>(*unlisted),
                fmt::format("cannot read {}: of its {} items, {} are listed neither in its contents table nor in the "
                            "node index ({})",
                            where, *held, *unlisted, why)};
    // Only a walk that found none of them knows for sure that sub-folders are lost.
    return {std::move(children.ids), 1,
            found == 0 ? fmt::format("cannot read {}: it has sub-folders, but neither its hierarchy table nor the node "
                                     "index lists them ({})",
                                     where, why)
                       : fmt::format("cannot read {}: it may have more sub-folders than the {} that the node index "
                                     "lists, and neither its hierarchy table nor all of the index can be read ({})",
                                     where, found, why)};
}

// A number or truth value among the folder's properties; nothing when it has none or they
// cannot be read.
std::optional<std::int64_t> DirectSource::StoredNumber(std::uint16_t id) const
{
    constexpr std::uint16_t kInteger32 = 0x0003, kBoolean = 0x000B;
    try {
        const auto stored = Stored(id, fmt::format("node {:#x}", nodeId_));
        if (stored && stored->type == kInteger32 && stored->bytes.size() == 4)
            return direct::layout::Get<std::int32_t>(stored->bytes, 0);
        if (stored && stored->type == kBoolean && !stored->bytes.empty())
            return stored->bytes[0] != 0;
    } catch (const ComponentError&) {
        // Then the folder does not say.
    }
    return std::nullopt;
}

int DirectSource::SubFolderCount(const std::string& where) const
{
    return FolderTable(kHierarchyTable, subFolders_, where).Count();
}

SourceRef DirectSource::SubFolder(int at, const std::string& where) const
{
    const auto folderId = FolderTable(kHierarchyTable, subFolders_, where).At(at);
    auto folder = Folder(file_, folderId, nodeId_);
    if (!folder)
        Missing(where, fmt::format("node {:#x}", folderId));
    return folder;
}

int DirectSource::MessageCount(const std::string& where) const
{
    return FolderTable(kContentsTable, messages_, where).Count();
}

SourceRef DirectSource::Message(int at, const std::string& where) const
{
    return NodeOfFile(FolderTable(kContentsTable, messages_, where).At(at), where);
}

std::vector<PropertyBag> DirectSource::RecipientRows(const std::string& where) const
{
    const auto table = blocks_.subnodes ? nodes().FindSubnode(blocks_.subnodes, kRecipientTableNode) : std::nullopt;
    if (!table)
        return {};
    const auto tableWhere = "the recipient table of " + where;
    std::vector<PropertyBag> rows;
    int number = 0;
    for (auto& cells : direct::ReadTableRows(nodes(), *table, tableWhere)) {
        ReadLargeCells(nodes(), *table, cells);
        rows.push_back(BagOf(std::move(cells), fmt::format("recipient {} of {}", ++number, where)));
    }
    return rows;
}

const std::vector<std::uint32_t>& DirectSource::AttachmentIds(const std::string& where) const
{
    if (!attachments_) {
        const auto table =
            blocks_.subnodes ? nodes().FindSubnode(blocks_.subnodes, kAttachmentTableNode) : std::nullopt;
        attachments_ = table ? direct::ReadTableRowIds(nodes().DataBlocks(table->data), "the attachment table of " + where)
                             : std::vector<std::uint32_t>{};
    }
    return *attachments_;
}

int DirectSource::AttachmentCount(const std::string& where) const
{
    return static_cast<int>(AttachmentIds(where).size());
}

SourceRef DirectSource::Attachment(int at, const std::string& where) const
{
    return Subnode(AttachmentIds(where).at(static_cast<std::size_t>(at)), where);
}

std::optional<std::string> DirectSource::RtfBody(const std::string& where) const
{
    const auto stored = Stored(kRtfCompressedId, where);
    if (!stored)
        return std::nullopt;
    const auto bytes = stored->subnode ? nodes().SubnodeData(blocks_.subnodes, *stored->subnode) : stored->bytes;
    auto rtf = direct::DecompressRtf(bytes, where);
    // The stated size counts the terminator.
    while (!rtf.empty() && rtf.back() == '\0')
        rtf.pop_back();
    if (rtf.empty())
        return std::nullopt;
    return rtf;
}

bool DirectSource::HoldsItem(const std::string& where) const
{
    const auto& stored = StoredProperties(where);
    const auto has = [&](std::uint16_t id, auto&& test) {
        return std::any_of(stored.begin(), stored.end(), [&](const auto& p) { return p.id == id && test(p); });
    };
    const bool methodSaysItem = has(kAttachMethodId, [](const direct::StoredProperty& p) {
        return p.bytes.size() >= 4 && direct::layout::Get<std::int32_t>(p.bytes, 0) == kEmbeddedMessageMethod;
    });
    // Without any data, the item is missing: saying so beats saving an empty file in its place.
    const bool dataIsNoItem = has(kAttachDataId, [](const direct::StoredProperty& p) { return p.type != kObjectType; });
    return methodSaysItem && !dataIsNoItem;
}

SourceRef DirectSource::EmbeddedItem(const std::string& where) const
{
    const auto stored = Stored(kAttachDataId, where);
    // An object value names the sub-node that holds it, followed by its size.
    if (!stored || stored->type != kObjectType || stored->bytes.size() < 8)
        throw ComponentError(fmt::format("cannot open the embedded item ({}): it is missing", where));
    return Subnode(direct::layout::Get<std::uint32_t>(stored->bytes, 0), where);
}

void DirectSource::ReadData(const ByteSink& sink, const std::string& where) const
{
    const auto stored = Stored(kAttachDataId, where);
    if (!stored)
        return;
    // Bytes too large for the heap lie in a sub-node; an object (an OLE object) is named by the
    // sub-node that holds it, followed by its size.
    std::optional<std::uint32_t> subnode = stored->subnode;
    if (stored->type == kObjectType && stored->bytes.size() >= 8)
        subnode = direct::layout::Get<std::uint32_t>(stored->bytes, 0);
    if (!subnode) {
        if (!stored->bytes.empty())
            sink(stored->bytes);
        return;
    }
    const auto node = blocks_.subnodes ? nodes().FindSubnode(blocks_.subnodes, *subnode) : std::nullopt;
    if (!node)
        Missing(where, "the node of its data");
    nodes().ReadData(node->data, sink);
}

}  // namespace varnemo::mapi::pff
