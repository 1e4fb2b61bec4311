#include "source/pff/pff_store.h"

#include "source/pff/entry_ids.h"
#include "source/pff/hex.h"
#include "source/pff/pff_folder.h"
#include "source/pff/property_tags.h"

#include <fmt/format.h>

namespace varnemo::mapi::pff {

PffStore::PffStore(std::shared_ptr<const PffFile> file)
    : file_(std::move(file)), properties_(file_->MessageStore()->Properties("the message store of " + file_->where()))
{
}

std::string PffStore::Name()
{
    return properties_.Text(PropertyKey::Tag(tag::DisplayName)).value_or("");
}

std::string PffStore::EntryID()
{
    return StoreEntryId(file_->path());
}

std::unique_ptr<mapi::Folder> PffStore::TopFolder()
{
    const auto entryId = properties_.Bytes(PropertyKey::Tag(tag::IpmSubtreeEntryId));
    if (!entryId)
        throw ComponentError("the message store of " + file_->where() + " names no top folder (IPM subtree)");
    return OpenFolder(file_, ParseFolderEntryId(*entryId).nodeId);
}

std::unique_ptr<mapi::Folder> PffStore::GetFolderFromID(const std::string& entryId)
{
    const auto id = ParseFolderEntryIdText(entryId);
    if (id.recordKey != file_->recordKey())
        throw ComponentError(fmt::format("the folder entry id {} belongs to another store than {}", entryId,
                                         file_->where()));
    return OpenFolder(file_, id.nodeId);
}

}  // namespace varnemo::mapi::pff
