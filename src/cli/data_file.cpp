#include "cli/data_file.h"

#include "source/default_profile.h"

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
    BuildFolderTree(*store, opened.tree, [] {});
    opened.tree.TickAll();
    store.reset();
    session->Logoff();
    return opened;
}

}  // namespace varnemo::cli
