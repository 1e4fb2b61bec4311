#include "source/mailbox_folders.h"

#include "source/logged_on_session.h"
#include "source/store_entry.h"

namespace varnemo {

void MailboxFolders::ShowMailboxFolders()
{
    LoggedOnSession session(mapi_);
    view_.Yield();
    const std::string entry = view_.StoreListText();
    state_.OutlookStoreID = RequiredStoreIdOfEntry(entry);
    auto store = session->GetStores().GetStoreFromID(state_.OutlookStoreID);
    Build(*store);
    store.reset();
    session.Logoff();
    view_.Yield();
    tree_.TickAll();
}

void MailboxFolders::ShowPSTFolders(mapi::Store& store)
{
    view_.Yield();
    view_.SetStartConversionEnabled(false);
    Build(store);
    tree_.TickAll();
}

void MailboxFolders::Build(mapi::Store& store)
{
    BuildFolderTree(store, tree_, [this] { view_.Yield(); });
}

}  // namespace varnemo
