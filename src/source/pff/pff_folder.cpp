#include "source/pff/pff_folder.h"

#include "source/pff/collection_index.h"
#include "source/pff/entry_ids.h"
#include "source/pff/pff_error.h"
#include "source/pff/pff_item.h"
#include "source/pff/property_tags.h"

#include <fmt/format.h>

namespace varnemo::mapi::pff {
namespace {

std::string NodeWhere(const ItemNode& node)
{
    return fmt::format("folder with node id {} in {}", NodeIdOf(node, node.file->where()), node.file->where());
}

}  // namespace

PffFolder::PffFolder(ItemRef node)
    : node_(std::move(node)),
      properties_(node_->get(), NodeWhere(*node_)),
      name_(properties_.Text(PropertyKey::Tag(tag::DisplayName)).value_or("")),
      where_(fmt::format("folder \"{}\" in {}", name_, node_->file->where()))
{
}

std::string PffFolder::EntryID()
{
    return ToText(FolderEntryId{node_->file->recordKey(), NodeIdOf(*node_, where_)});
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
    auto item = file->ItemById(nodeId);
    if (!item)
        throw ComponentError(fmt::format("there is no folder with node id {} in {}", nodeId, file->where()));
    uint8_t type = LIBPFF_ITEM_TYPE_UNDEFINED;
    CheckPff(fmt::format("cannot read node {}", nodeId), file->where(), [&](libpff_error_t** e) {
        return libpff_item_get_type(item.get(), &type, e);
    });
    if (type != LIBPFF_ITEM_TYPE_FOLDER)
        throw ComponentError(fmt::format("node {} of {} is not a folder", nodeId, file->where()));
    return std::make_unique<PffFolder>(MakeItemNode(std::move(file), nullptr, std::move(item)));
}

PffFolders::PffFolders(ItemRef folder, std::string where) : folder_(std::move(folder)), where_(std::move(where))
{
    int count = 0;
    CheckPff("cannot read the sub-folders", where_, [&](libpff_error_t** e) {
        return libpff_folder_get_number_of_sub_folders(folder_->get(), &count, e);
    });
    count_ = count;
}

std::unique_ptr<mapi::Folder> PffFolders::Item(long index)
{
    const int at = ZeroBasedIndex(index, count_, "sub-folder", where_);
    ItemHandle folder;
    CheckPff(fmt::format("cannot open sub-folder {}", index), where_, [&](libpff_error_t** e) {
        return libpff_folder_get_sub_folder(folder_->get(), at, folder.out(), e);
    });
    return std::make_unique<PffFolder>(MakeItemNode(folder_->file, folder_, std::move(folder)));
}

PffItems::PffItems(ItemRef folder, std::string where) : folder_(std::move(folder)), where_(std::move(where))
{
    int count = 0;
    CheckPff("cannot read the contents table", where_, [&](libpff_error_t** e) {
        return libpff_folder_get_number_of_sub_messages(folder_->get(), &count, e);
    });
    count_ = count;
}

std::unique_ptr<mapi::Item> PffItems::Item(long index)
{
    const int at = ZeroBasedIndex(index, count_, "item", where_);
    ItemHandle item;
    CheckPff(fmt::format("cannot open item {}", index), where_, [&](libpff_error_t** e) {
        return libpff_folder_get_sub_message(folder_->get(), at, item.out(), e);
    });
    return std::make_unique<PffItem>(MakeItemNode(folder_->file, folder_, std::move(item)),
                                     fmt::format("item {} of {}", index, where_));
}

}  // namespace varnemo::mapi::pff
