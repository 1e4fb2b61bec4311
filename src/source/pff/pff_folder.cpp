#include "source/pff/pff_folder.h"

#include "source/pff/collection_index.h"
#include "source/pff/direct/file_layout.h"
#include "source/pff/entry_ids.h"
#include "source/pff/pff_item.h"
#include "source/pff/property_tags.h"

#include <fmt/format.h>

namespace varnemo::mapi::pff {
namespace {

namespace layout = direct::layout;

std::string NodeWhere(const ItemNode& node)
{
    return fmt::format("folder with node id {} in {}", node.source->NodeId(), node.file->where());
}

}  // namespace

PffFolder::PffFolder(ItemNode node)
    : node_(std::move(node)),
      properties_(node_.source->Properties(NodeWhere(node_))),
      name_(properties_.Text(PropertyKey::Tag(tag::DisplayName)).value_or("")),
      where_(fmt::format("folder \"{}\" in {}", name_, node_.file->where()))
{
}

std::string PffFolder::EntryID()
{
    return ToText(FolderEntryId{node_.file->recordKey(), node_.source->NodeId()});
}

std::string PffFolder::DefaultMessageClass()
{
    auto containerClass = properties_.Text(PropertyKey::Tag(tag::ContainerClass)).value_or("");
    if (containerClass.empty())
        return "IPM.Note";
    if (containerClass.starts_with("IPF."))
        containerClass.replace(0, 4, "IPM.");
    return containerClass;
}

std::unique_ptr<mapi::Folders> PffFolder::GetFolders()
{
    return std::make_unique<PffFolders>(node_, where_);
}

std::unique_ptr<mapi::Items> PffFolder::GetItems()
{
    return std::make_unique<PffItems>(node_, where_);
}

std::unique_ptr<PffFolder> OpenFolder(std::shared_ptr<const PffFile> file, std::uint32_t nodeId)
{
    auto source = file->Node(nodeId);
    if (!source)
        throw ComponentError(fmt::format("there is no folder with node id {} in {}", nodeId, file->where()));
    if (!layout::IsFolderNode(nodeId))
        throw ComponentError(fmt::format("node {} of {} is not a folder", nodeId, file->where()));
    return std::make_unique<PffFolder>(ItemNode{std::move(file), std::move(source)});
}

PffFolders::PffFolders(ItemNode folder, std::string where)
    : folder_(std::move(folder)), where_(std::move(where)), count_(folder_.source->SubFolderCount(where_))
{
}

std::unique_ptr<mapi::Folder> PffFolders::Item(long index)
{
    const int at = ZeroBasedIndex(index, count_, "sub-folder", where_);
    return std::make_unique<PffFolder>(ItemNode{folder_.file, folder_.source->SubFolder(at, where_)});
}

PffItems::PffItems(ItemNode folder, std::string where)
    : folder_(std::move(folder)), where_(std::move(where)), count_(folder_.source->MessageCount(where_))
{
}

std::unique_ptr<mapi::Item> PffItems::Item(long index)
{
    const int at = ZeroBasedIndex(index, count_, "item", where_);
    return std::make_unique<PffItem>(ItemNode{folder_.file, folder_.source->Message(at, where_)},
                                     fmt::format("item {} of {}", index, where_));
}

}  // namespace varnemo::mapi::pff
