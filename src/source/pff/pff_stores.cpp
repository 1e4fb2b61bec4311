#include "source/pff/pff_stores.h"

#include "source/pff/collection_index.h"
#include "source/pff/entry_ids.h"
#include "source/pff/listed_store.h"
#include "source/pff/pff_store.h"

namespace varnemo::mapi::pff {
namespace {

std::filesystem::path Normalized(const std::filesystem::path& path)
{
    return std::filesystem::absolute(path).lexically_normal();
}

}  // namespace

PffStores::PffStores(const std::vector<std::filesystem::path>& dataFiles, std::shared_ptr<RecentDataFile> recent)
    : recent_(std::move(recent))
{
    for (const auto& path : dataFiles)
        entries_.push_back({Normalized(path), nullptr});
}

PffStores PffStores::WithoutProfile(std::string cause, std::shared_ptr<RecentDataFile> recent)
{
    PffStores stores({}, std::move(recent));
    stores.profileError_ = std::move(cause);
    return stores;
}

long PffStores::Count()
{
    if (!profileError_.empty())
        throw ComponentError(profileError_);
    return static_cast<long>(entries_.size());
}

std::shared_ptr<const PffFile> PffStores::FileOf(Entry& entry)
{
    if (!entry.file)
        entry.file = OpenFile(entry.path);
    return entry.file;
}

std::shared_ptr<const PffFile> PffStores::OpenFile(const std::filesystem::path& path)
{
    return OpenThroughRecent(recent_, path, stopOpens_);
}

PffStores::Entry* PffStores::Find(const std::filesystem::path& path)
{
    for (auto& entry : entries_) {
        if (entry.path == path)
            return &entry;
    }
    return nullptr;
}

std::unique_ptr<mapi::Store> PffStores::Item(long index)
{
    // The list of configured stores reads little more than each store's name.
    const auto& entry = entries_[ZeroBasedIndex(index, Count(), "store", "the session")];
    return std::make_unique<ListedStore>(entry.path, recent_, stopOpens_);
}

std::unique_ptr<mapi::Store> PffStores::GetStoreFromID(const std::string& entryId)
{
    const auto path = Normalized(DataFileOfStoreEntryId(entryId));
    if (auto* entry = Find(path))
        return std::make_unique<PffStore>(FileOf(*entry));
    return std::make_unique<PffStore>(OpenFile(path));
}

std::unique_ptr<mapi::Store> PffStores::AddPSTStore(const std::string& path)
{
    const auto normalized = Normalized(path);
    if (auto* entry = Find(normalized))
        return std::make_unique<PffStore>(FileOf(*entry));
    auto file = OpenFile(normalized);
    entries_.push_back({normalized, file});
    return std::make_unique<PffStore>(std::move(file));
}

}  // namespace varnemo::mapi::pff
