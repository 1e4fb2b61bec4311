#include "source/pff/pff_store.h"

#include "source/pff/direct/file_layout.h"
#include "source/pff/entry_ids.h"
#include "source/pff/hex.h"
#include "source/pff/pff_folder.h"
#include "source/pff/property_tags.h"

#include <fmt/format.h>

namespace varnemo::mapi::pff {
namespace {

PropertyBag MessageStoreProperties(const PffFile& file)
{
    const auto where = "the message store of " + file.where();
    return file.MessageStore() ? file.MessageStore()->Properties(where) : PropertyBag({}, where);
}

std::unique_ptr<mapi::Folder> FolderWithMostSubfolders(mapi::Folders& folders)
{
    std::unique_ptr<mapi::Folder> most;
    long mostSubfolders = -1;
    for (long i = 1; i <= folders.Count(); ++i) {
        try {
            auto folder = folders.Item(i);
            if (const long count = folder->GetFolders()->Count(); count > mostSubfolders) {
                most = std::move(folder);
                mostSubfolders = count;
            }
        } catch (const ComponentError&) {
            // a damaged sub-folder of the root is not the one that holds the mailbox
        }
    }
    return most;
}

}  // namespace

PffStore::PffStore(std::shared_ptr<const PffFile> file) : file_(std::move(file)), properties_(MessageStoreProperties(*file_))
{
}

std::string PffStore::Name()
{
    if (!file_->MessageStore())
        return file_->path().stem().string();
    return properties_.Text(PropertyKey::Tag(tag::DisplayName)).value_or("");
}

std::string PffStore::EntryID()
{
    return StoreEntryId(file_->path());
}

std::unique_ptr<mapi::Folder> PffStore::TopFolder()
{
    if (!file_->MessageStore()) {
        auto top = FolderWithMostSubfolders(*OpenFolder(file_, direct::layout::kRootFolderNodeId)->GetFolders());
        if (!top)
            throw ComponentError(fmt::format("the message store of {} cannot be read, and its root folder has no "
                                             "sub-folder to take for the top folder",
                                             file_->where()));
        return top;
    }
    const auto entryId = properties_.Bytes(PropertyKey::Tag(tag::IpmSubtreeEntryId));
    if (!entryId)
        throw ComponentError("the message store of " + file_->where() + " names no top folder (IPM subtree)");
    return OpenFolder(file_, ParseFolderEntryId(*entryId).nodeId);
}

std::string PffStore::DamageReadAround()
{
    if (file_->messageStoreUnreadable().empty())
        return {};
    return fmt::format("its message store cannot be read ({}): the mailbox is named after the file, its top folder "
                       "is the root folder's sub-folder with the most sub-folders, and its items' entry ids differ "
                       "from those of an intact copy",
                       file_->messageStoreUnreadable());
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
