#include "source/store_discovery.h"

#include "common/continue_on_error.h"
#include "common/scoped_flag.h"
#include "common/text.h"
#include "source/logged_on_session.h"
#include "source/store_entry.h"

#include <optional>

namespace varnemo {
namespace {

bool Qualifies(mapi::Store& store)
{
    return !TrimBlanks(store.QualifyingText()).empty();
}

}  // namespace

void StoreDiscovery::CmdExportConfigured_Click()
{
    if (busy_)
        return;
    ScopedFlag busy(busy_);
    view_.SetStartConversionEnabled(false);
    std::optional<LoggedOnSession> session;
    try {
        session.emplace(mapi_);
    } catch (const ComponentError&) {
        dialogs_.Message(kOutlookNotConfigured, kProgramTitle);
        return;
    }
    ContinueOnError step;
    step([&] { ListStores((*session)->GetStores()); });
    session->Logoff();
    view_.ShowPreviewTab();
}

void StoreDiscovery::ListStores(mapi::Stores& stores)
{
    ContinueOnError step;
    const long count = stores.Count();
    for (long index = 1; index <= count; ++index) {
        step([&] {
            auto store = stores.Item(index);
            if (!Qualifies(*store))
                return;
            const std::string entry = StoreEntryText(store->Name(), store->EntryID());
            view_.SetStoreListEnabled(true);
            view_.AddStoreEntry(entry);
        });
    }
}

void StoreDiscovery::CmbOutlookStores_Click()
{
    if (busy_)
        return;
    ScopedFlag busy(busy_);
    view_.SetStoreListEnabled(false);
    const std::string entry = view_.StoreListText();
    if (!entry.empty()) {
        view_.SetStartConversionEnabled(false);
        try {
            folders_.ShowMailboxFolders();
            view_.SetStartConversionEnabled(true);
        } catch (const ComponentError& error) {
            dialogs_.Message("The folders of \"" + DisplayNameOfEntry(entry) + "\" cannot be shown.\n" + error.what(),
                             kProgramTitle);
        }
    }
    view_.SetStoreListEnabled(true);
}

void StoreDiscovery::CmdExportOther_Click()
{
    if (busy_)
        return;
    ScopedFlag busy(busy_);
    view_.SetStartConversionEnabled(false);
    std::optional<LoggedOnSession> session;
    try {
        session.emplace(mapi_);
    } catch (const ComponentError&) {
        dialogs_.Message(kOutlookNotConfigured, kProgramTitle);
        return;
    }
    const std::string path = TrimBlanks(view_.DataFilePath());
    try {
        OpenDataFile(**session, path);
    } catch (const ComponentError& error) {
        dialogs_.Message("The file \"" + path + "\" cannot be opened as an Outlook data file.\n" + error.what(),
                         kProgramTitle);
    }
    session->Logoff();
    view_.ShowPreviewTab();
}

void StoreDiscovery::OpenDataFile(mapi::Session& session, const std::string& path)
{
    auto store = session.GetStores().AddPSTStore(path);
    if (!Qualifies(*store))
        return;
    view_.SetStoreListEnabled(false);
    state_.OutlookStoreID = store->EntryID();
    folders_.ShowPSTFolders(*store);
    view_.SetStartConversionEnabled(true);
}

}  // namespace varnemo
