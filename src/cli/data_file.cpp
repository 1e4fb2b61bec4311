#include "cli/data_file.h"

#include "source/default_profile.h"

#include <fmt/format.h>

namespace varnemo::cli {

OpenedDataFile OpenDataFile(mapi::Component& mapi, const std::string& path, const StopRequest* stop)
{
    OpenedDataFile opened;
    auto session = LogOnToDefaultProfile(mapi);
    if (stop)
        session->StopOpensOn(*stop);
    auto store = session->GetStores().AddPSTStore(path);
    opened.storeId = store->EntryID();
    opened.storeName = store->Name();
    opened.fallbackReason = store->FallbackReason();
    opened.damageReadAround = store->DamageReadAround();
    BuildFolderTree(*store, opened.tree, [] {});
    opened.tree.TickAll();
    store.reset();
    session->Logoff();
    return opened;
}

void SayFallbackRead(const std::string& dataFile, const std::string& reason)
{
    fmt::print(stderr, "{}: read by the fallback reader (libpff), as {}\n", dataFile, reason);
}

void SayDamageReadAround(const std::string& dataFile, const std::string& what)
{
    fmt::print(stderr, "{}: damaged: {}\n", dataFile, what);
}

}  // namespace varnemo::cli
