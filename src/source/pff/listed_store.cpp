#include "source/pff/listed_store.h"

#include "source/pff/entry_ids.h"
#include "source/pff/pff_file.h"
#include "source/pff/pff_store.h"
#include "source/pff/store_display_name.h"

namespace varnemo::mapi::pff {

ListedStore::ListedStore(std::filesystem::path dataFile, std::shared_ptr<RecentDataFile> recent,
                         const StopRequest* stop)
    : dataFile_(std::move(dataFile)), recent_(std::move(recent)), stop_(stop)
{
}

std::string ListedStore::Name()
{
    if (auto name = ReadStoreDisplayName(dataFile_))
        return *name;
    // libpff would read the whole file for its name, minutes for a large one: the file's name
    // stands in for it until the store is picked. Outlook names offline files after their account.
    if (PffFile::LeftToLibpff(dataFile_))
        return dataFile_.stem().string();
    return Opened().Name();
}

std::string ListedStore::EntryID()
{
    return StoreEntryId(dataFile_);
}

std::unique_ptr<mapi::Folder> ListedStore::TopFolder()
{
    return Opened().TopFolder();
}

std::unique_ptr<mapi::Folder> ListedStore::GetFolderFromID(const std::string& entryId)
{
    return Opened().GetFolderFromID(entryId);
}

mapi::Store& ListedStore::Opened()
{
    if (!opened_)
        opened_ = std::make_unique<PffStore>(OpenThroughRecent(recent_, dataFile_, stop_));
    return *opened_;
}

}  // namespace varnemo::mapi::pff
