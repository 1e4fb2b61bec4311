#include "cli/data_file.h"

namespace varnemo::cli {

OpenedDataFile OpenDataFile(mapi::Component& mapi, const std::string& path)
{
    OpenedDataFile opened;
    auto session = mapi.CreateSession();
    session->Logon();
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
