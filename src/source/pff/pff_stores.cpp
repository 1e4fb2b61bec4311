#include "source/pff/pff_stores.h"

#include "source/pff/collection_index.h"
#include "source/pff/entry_ids.h"
#include "source/pff/pff_store.h"

namespace varnemo::mapi::pff {
namespace {

std::filesystem::path Normalized(const std::filesystem::path& path)
{
    return std::filesystem::absolute(path).lexically_normal();
}

}  // namespace

PffStores::PffStores(const std::vector<std::filesystem::path>& dataFiles)
{
    for (const auto& path : dataFiles)
        entries_.push_back({Normalized(path), nullptr});
}

std::shared_ptr<const PffFile> PffStores::FileOf(Entry& entry)
{
    if (!entry.file)
        entry.file = PffFile::Open(entry.path);
    return entry.file;
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
    auto& entry = entries_[ZeroBasedIndex(index, Count(), "store", "the session")];
    return std::make_unique<PffStore>(FileOf(entry));
}

std::unique_ptr<mapi::Store> PffStores::GetStoreFromID(const std::string& entryId)
{
    const auto path = Normalized(DataFileOfStoreEntryId(entryId));
    if (auto* entry = Find(path))
        return std::make_unique<PffStore>(FileOf(*entry));
    return std::make_unique<PffStore>(PffFile::Open(path));
}

std::unique_ptr<mapi::Store> PffStores::AddPSTStore(const std::string& path)
{
    const auto normalized = Normalized(path);
    if (auto* entry = Find(normalized))
        return std::make_unique<PffStore>(FileOf(*entry));
    auto file = PffFile::Open(normalized);
    entries_.push_back({normalized, file});
    return std::make_unique<PffStore>(std::move(file));
}

}  // namespace varnemo::mapi::pff
