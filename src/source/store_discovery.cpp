#include "source/store_discovery.h"

#include "common/scoped_flag.h"
#include "common/text.h"
#include "shell/shell.h"
#include "source/background_work.h"
#include "source/logged_on_session.h"
#include "source/reading_note.h"
#include "source/store_entry.h"

#include <atomic>
#include <optional>

namespace varnemo {
namespace {

bool Qualifies(mapi::Store& store)
{
    return !TrimBlanks(store.QualifyingText()).empty();
}

// Stores of one profile are often all called "Personal Folders": the file tells them apart.
std::string ShownStoreName(mapi::Store& store)
{
    const std::string file = GetFileName(TrimBlanks(store.PstPath()));
    return file.empty() ? store.Name() : store.Name() + " (" + file + ")";
}

}  // namespace

std::optional<LoggedOnSession> StoreDiscovery::LogOnOrTell()
{
    try {
        return std::optional<LoggedOnSession>(std::in_place, mapi_, &cancel_);
    } catch (const ComponentError& error) {
        dialogs_.Message(std::string(kOutlookNotConfigured) + "\n" + error.what(), kProgramTitle);
        return std::nullopt;
    }
}

void StoreDiscovery::CmdExportConfigured_Click()
{
    if (busy_)
        return;
    ScopedFlag busy(busy_);
    view_.SetStartConversionEnabled(false);
    auto session = LogOnOrTell();
    if (!session)
        return;
    std::vector<std::string> entries;
    try {
        entries = ListStores((*session)->GetStores());
    } catch (const WorkStopped&) {
        // The list stays as it was: a mailbox missing from it would look as if it were not there.
        session->Logoff();
        return;
    } catch (const ComponentError& error) {
        session->Logoff();
        dialogs_.Message(std::string(kOutlookNotConfigured) + "\n" + error.what(), kProgramTitle);
        return;
    }
    session->Logoff();
    for (const auto& entry : entries) {
        view_.SetStoreListEnabled(true);
        view_.AddStoreEntry(entry);
    }
    view_.ShowPreviewTab();
}

// Listing reads each store's name, which for a damaged data file means libpff's whole open: the
// window shows how many were read and can cancel, where the component allows a thread of its own.
std::vector<std::string> StoreDiscovery::ListStores(mapi::Stores& stores)
{
    if (!mapi_.UsableFromAnyThread())
        return StoreEntries(stores, [](long) {});
    std::vector<std::string> entries;
    RunCancellable([&](const Progress& progress) { entries = StoreEntries(stores, progress); },
                   [this](long listed) { view_.ShowListing(listed); });
    return entries;
}

// Every store is listed: one that cannot be opened with the reason, which names its file, so
// that the user learns why a mailbox is missing instead of not seeing it at all.
std::vector<std::string> StoreDiscovery::StoreEntries(mapi::Stores& stores, const Progress& afterEach)
{
    std::vector<std::string> entries;
    const long count = stores.Count();
    for (long index = 1; index <= count; ++index) {
        try {
            auto store = stores.Item(index);
            if (Qualifies(*store))
                entries.push_back(StoreEntryText(ShownStoreName(*store), store->EntryID()));
        } catch (const ComponentError& error) {
            entries.push_back(StoreEntryText(std::string("(cannot be opened) ") + error.what(), ""));
        }
        afterEach(index);
    }
    return entries;
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
            const auto note = PickStore(entry);
            view_.SetStartConversionEnabled(true);
            TellReadingNote(DisplayNameOfEntry(entry), note);
        } catch (const WorkStopped&) {
            ForgetStore();
            view_.ClearStoreChoice();
        } catch (const ComponentError& error) {
            ForgetStore();
            view_.ClearStoreChoice();
            dialogs_.Message("The folders of \"" + DisplayNameOfEntry(entry) + "\" cannot be shown.\n" + error.what(),
                             kProgramTitle);
        }
    }
    view_.SetStoreListEnabled(true);
}

std::string StoreDiscovery::PickStore(const std::string& entry)
{
    if (mapi_.UsableFromAnyThread())
        return PickStoreInBackground(entry);
    // A component bound to the window's thread reads its stores as they stand.
    folders_.ShowMailboxFolders();
    return {};
}

std::string StoreDiscovery::PickStoreInBackground(const std::string& entry)
{
    const std::string storeId = RequiredStoreIdOfEntry(entry);
    LoggedOnSession session(mapi_, &cancel_);
    auto opened = ReadInBackground([&] { return session->GetStores().GetStoreFromID(storeId); },
                                   [](mapi::Store&) { return true; });
    session.Logoff();
    auto note = std::move(opened.readingNote);
    Adopt(std::move(opened));
    return note;
}

void StoreDiscovery::CmdExportOther_Click()
{
    if (busy_)
        return;
    ScopedFlag busy(busy_);
    view_.SetStartConversionEnabled(false);
    auto session = LogOnOrTell();
    if (!session)
        return;
    const std::string path = TrimBlanks(view_.DataFilePath());
    std::string note;
    try {
        note = mapi_.UsableFromAnyThread() ? OpenDataFileInBackground(**session, path) : OpenDataFile(**session, path);
    } catch (const WorkStopped&) {
        session->Logoff();
        return;
    } catch (const ComponentError& error) {
        // The preview tab stays as Browse left it: nothing of this file, or of an earlier one, to show.
        ForgetStore();
        session->Logoff();
        dialogs_.Message("The file \"" + path + "\" cannot be opened as an Outlook data file.\n" + error.what(),
                         kProgramTitle);
        return;
    }
    session->Logoff();
    view_.ShowPreviewTab();
    TellReadingNote(path, note);
}

std::string StoreDiscovery::OpenDataFileInBackground(mapi::Session& session, const std::string& path)
{
    auto opened = ReadInBackground([&] { return session.GetStores().AddPSTStore(path); }, Qualifies);
    if (!opened.qualifies)
        return {};
    view_.SetStoreListEnabled(false);
    auto note = std::move(opened.readingNote);
    Adopt(std::move(opened));
    view_.SetStartConversionEnabled(true);
    return note;
}

StoreDiscovery::OpenedStore StoreDiscovery::ReadInBackground(
    const std::function<std::unique_ptr<mapi::Store>()>& open, const std::function<bool(mapi::Store&)>& wanted)
{
    OpenedStore opened;
    RunCancellable(
        [&](const Progress& progress) {
            auto store = open();
            opened.qualifies = wanted(*store);
            if (!opened.qualifies)
                return;
            opened.storeId = store->EntryID();
            opened.readingNote = ReadingNote(*store);
            BuildFolderTree(*store, opened.tree,
                            [&] { progress(static_cast<long>(opened.tree.Count()) - 1); });
        },
        [this](long folders) { view_.ShowOpening(folders); });
    return opened;
}

void StoreDiscovery::RunCancellable(const std::function<void(const Progress&)>& work,
                                    const std::function<void(long countSoFar)>& show)
{
    std::atomic<long> counted{0};
    cancel_.Clear();
    show(0);
    struct EndOfShowing {
        SourceView& view;
        ~EndOfShowing() { view.OpeningEnded(); }
    } ending{view_};
    RunInBackground(
        [&] {
            work([&](long countSoFar) {
                if (cancel_.Requested())
                    throw WorkStopped();
                counted = countSoFar;
            });
        },
        [&] {
            show(counted);
            view_.Yield();
        });
    // A cancel that came while the last one was read still counts.
    if (cancel_.Requested())
        throw WorkStopped();
}

void StoreDiscovery::Adopt(OpenedStore&& opened)
{
    state_.OutlookStoreID = opened.storeId;
    tree_.Adopt(std::move(opened.tree));
    tree_.TickAll();
}

void StoreDiscovery::ForgetStore()
{
    tree_.Clear();
    state_.OutlookStoreID.clear();
    view_.SetStartConversionEnabled(false);
}

std::string StoreDiscovery::OpenDataFile(mapi::Session& session, const std::string& path)
{
    auto store = session.GetStores().AddPSTStore(path);
    if (!Qualifies(*store))
        return {};
    view_.SetStoreListEnabled(false);
    state_.OutlookStoreID = store->EntryID();
    folders_.ShowPSTFolders(*store);
    view_.SetStartConversionEnabled(true);
    return ReadingNote(*store);
}

// Shown once, before any conversion: a user who goes on knows that the file was not whole, and
// the completion text says it again with what the run left out.
void StoreDiscovery::TellReadingNote(const std::string& shownName, const std::string& note)
{
    if (!note.empty())
        dialogs_.Message("The folders of \"" + shownName + "\" are shown as far as they can be read.\n" + note,
                         kProgramTitle);
}

}  // namespace varnemo
