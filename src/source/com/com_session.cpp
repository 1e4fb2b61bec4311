#include "source/com/com_session.h"

#include "source/com/com_store.h"

namespace varnemo::mapi::com {

using varnemo::com::Variant;

std::unique_ptr<Store> ComStores::Item(long index)
{
    return std::make_unique<ComStore>(stores_.Item(index));
}

std::unique_ptr<Store> ComStores::GetStoreFromID(const std::string& entryId)
{
    return std::make_unique<ComStore>(stores_.object().CallObject("GetStoreFromID", "RDOStore", Variant::Text(entryId)));
}

std::unique_ptr<Store> ComStores::AddPSTStore(const std::string& path)
{
    return std::make_unique<ComStore>(stores_.object().CallObject("AddPSTStore", "RDOPstStore", Variant::Text(path)));
}

void ComSession::Logon()
{
    session_.Call("Logon");
}

mapi::Stores& ComSession::GetStores()
{
    if (!stores_)
        stores_.emplace(session_.CallObject("Stores", "RDOStores"));
    return *stores_;
}

std::unique_ptr<Store> ComSession::GetStoreFromID(const std::string& entryId)
{
    return std::make_unique<ComStore>(session_.CallObject("GetStoreFromID", "RDOStore", Variant::Text(entryId)));
}

void ComSession::Logoff()
{
    stores_.reset();
    session_.Call("Logoff");
}

}  // namespace varnemo::mapi::com
