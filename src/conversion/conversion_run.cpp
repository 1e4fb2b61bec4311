#include "conversion/conversion_run.h"

#include "common/continue_on_error.h"
#include "common/scoped_flag.h"
#include "common/text.h"
#include "conversion/calendar_repeat.h"
#include "conversion/item_fields.h"
#include "conversion/overall_progress.h"
#include "conversion/temporary_attachments.h"
#include "notes/calendar_writer.h"
#include "notes/contact_writer.h"
#include "notes/create_nsf.h"
#include "notes/group_writer.h"
#include "notes/memo_writer.h"
#include "notes/task_writer.h"
#include "shell/path_text.h"
#include "shell/shell.h"

#include <fmt/format.h>

namespace varnemo {
namespace {

const std::string kContact = "IPM.Contact";
const std::string kMail = "IPM.Note";
const std::string kAppointment = "IPM.Appointment";
const std::string kTask = "IPM.Task";

void RemoveEvery(std::string& text, const std::string& part)
{
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at))
        text.erase(at, part.size());
}

std::string Join(const std::vector<std::string>& parts)
{
    return fmt::format("{}", fmt::join(parts, "; "));
}

void Append(std::vector<std::string>& to, const std::vector<std::string>& more)
{
    to.insert(to.end(), more.begin(), more.end());
}

// An item's entry id names it in the report; an item whose id cannot be read is named by its
// folder and position alone.
std::string EntryIdOf(mapi::Item& item)
{
    try {
        return item.EntryID();
    } catch (const ComponentError&) {
        return {};
    }
}

// A selected folder's entry: its entry identifier and its path. An entry identifier never holds
// "#", so the first one ends it; the rest is the path, whatever a folder's name holds.
struct SelectedEntry {
    std::string entryId;
    std::string path;
};

SelectedEntry ParseEntry(const std::string& entry)
{
    const auto separator = entry.find('#');
    return {entry.substr(0, separator), separator == std::string::npos ? std::string() : entry.substr(separator + 1)};
}

// Whether the run converts the items of folders of this default message class.
bool Converts(const std::string& kind)
{
    return kind == kContact || kind == kMail || kind == kAppointment || kind == kTask;
}

// The Notes folder that mirrors an Outlook folder path.
std::string NotesFolderName(const std::string& kind, const std::string& path)
{
    return kind == kMail ? "Outlook\\" + TrimBlanks(path) : TrimBlanks("Outlook\\" + path);
}

}  // namespace

void ConversionRun::CmdConversion_Click()
{
    if (running_)
        return;
    ScopedFlag running(running_);
    summary_ = {};
    convertedOrigins_.clear();
    try {
        Convert();
    } catch (const ComponentError& error) {
        context_.view.ShowMessage(std::string("The conversion could not start.\r\n") + error.what(), "Kestrova Varnemo");
    }
}

void ConversionRun::Convert()
{
    auto& view = context_.view;
    auto& state = context_.state;
    view.SetCaption(TargetLabel::LblSaveHeader, "Checking Configuration...");
    view.SetCaption(TargetLabel::LblProcessing, "Processing...");
    view.SetCaption(TargetLabel::LblFound, "");
    view.SetCaption(TargetLabel::LblCurrent, "");
    view.ShowSubjectLabel();

    auto session = mapi_.CreateSession();
    session->Logon();
    view.Yield();
    auto store = session->GetStoreFromID(state.OutlookStoreID);

    if (view.NewNsfSelected()) {
        SettleNewDatabasePath(*store);
        view.Yield();
        CreateNSF(context_);
    } else {
        state.TargetDatabasePath = TrimBlanks(view.ExistingNsfFileName());
        // Contacts go into the target itself: an address book of an earlier run is not this run's.
        state.NamesDbPath.clear();
        OpenExistingTarget();
        view.Yield();
    }
    target_ = CurrentTargetDatabases(context_);
    tempFolder_ = PathFromText(GetTempFolder());

    RecordLeftOutFolders();
    if (auto reason = store->FallbackReason(); !reason.empty())
        summary_.RecordFallbackRead(store->PstPath(), std::move(reason), store->ReadPastDamage());
    if (auto damage = store->DamageReadAround(); !damage.empty())
        summary_.RecordDamageReadAround(store->PstPath(), std::move(damage));
    itemsSelected_ = CountSelectedItems(*store);
    itemsDone_ = 0;
    started_ = std::chrono::steady_clock::now();
    view.ShowOverallProgress({0, itemsSelected_, std::nullopt});
    context_.notes.HoldSaves();
    for (const auto& entry : state.SelectedFolders) {
        if (Stopping())
            break;
        ConvertFolder(*store, entry);
    }
    outcomes_.Commit();

    state.SelectedFolders.clear();
    state.LeftOutFolders.clear();
    convertedOrigins_.clear();
    store.reset();
    session->Logoff();
    session.reset();
    context_.notes.ReleaseDatabases();
    view.ShowMessage(CompletionText(summary_, state.TargetDatabasePath, state.NamesDbPath), "Export Complete");
    view.CloseWindow();
}

void ConversionRun::SettleNewDatabasePath(mapi::Store& store)
{
    auto& state = context_.state;
    std::string folder = state.TargetDatabasePath;
    if (TrimBlanks(folder).empty())
        throw ComponentError("no folder was chosen for the new database");
    if (folder.back() != kPathSeparator)
        folder += kPathSeparator;
    folder = TrimBlanks(folder) + "Converted Outlook PST";
    if (!MakeFolderPath(folder))
        throw ComponentError("cannot create the folder " + folder);
    folder = TrimBlanks(folder) + kPathSeparator;
    state.NamesDbPath = folder;

    std::string name = GetFileName(TrimBlanks(store.PstPath()));
    RemoveEvery(name, ".pst");
    name += context_.now().ToStampText();
    state.TargetDatabasePath = NextFreeFileName(TrimBlanks(folder) + TrimBlanks(name) + ".nsf");
}

// A target that cannot be opened would fail every item alike: one message before the first item
// says it better than one failure per item. The database may hold the items of an earlier run,
// which a user starts again after an interruption or a partial failure: they are not added twice.
void ConversionRun::OpenExistingTarget()
{
    // The session outlives the database it handed out, as Notes wants.
    const auto session = context_.notes.CreateSession();
    const auto database = session->GetDatabase("", context_.state.TargetDatabasePath);
    if (options_.addDuplicates)
        return;
    for (auto& origin : database->TextsOfItem(kOriginItem))
        convertedOrigins_.insert(std::move(origin));
}

bool ConversionRun::AlreadyThere(const ItemAccount& account)
{
    if (account.id.empty() || !convertedOrigins_.count(account.id))
        return false;
    summary_.RecordAlreadyThere();
    return true;
}

// The folders that the tree found but could not hand over: their items are accounted for too.
void ConversionRun::RecordLeftOutFolders()
{
    for (const auto& folder : context_.state.LeftOutFolders) {
        ConversionProblem problem;
        problem.folder = folder.path;
        problem.items = folder.items;
        problem.reason = folder.reason;
        problem.outcome =
            folder.why == LeftOutFolder::Why::Unreadable ? Outcome::FolderNotRead : Outcome::SkippedByDesign;
        summary_.Record(std::move(problem));
    }
}

// Opens every selected folder once more to count its items; a folder that fails here counts no
// item and is recorded when the run reaches it.
long ConversionRun::CountSelectedItems(mapi::Store& store)
{
    long total = 0;
    for (const auto& entry : context_.state.SelectedFolders) {
        if (TrimBlanks(entry).empty())
            continue;
        ContinueOnError step;
        step([&] {
            const auto folder = store.GetFolderFromID(ParseEntry(entry).entryId);
            if (Converts(folder->DefaultMessageClass()))
                total += folder->GetItems()->Count();
        });
    }
    return total;
}

bool ConversionRun::Stopping()
{
    if (!summary_.stoppedByUser() && options_.stop && options_.stop->Requested())
        summary_.RecordStoppedByUser();
    return summary_.stoppedByUser();
}

bool ConversionRun::ItemDone()
{
    ++itemsDone_;
    outcomes_.CommitWhenDue();
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started_);
    context_.view.ShowOverallProgress({itemsDone_, itemsSelected_, EstimateTimeLeft(itemsDone_, itemsSelected_, elapsed)});
    context_.view.Yield();
    return !Stopping();
}

void ConversionRun::ConvertFolder(mapi::Store& store, const std::string& entry)
{
    if (TrimBlanks(entry).empty())
        return;
    const auto [entryId, path] = ParseEntry(entry);
    ContinueOnError step;
    std::unique_ptr<mapi::Folder> folder;
    std::string kind;
    const bool opened = step([&, &entryId = entryId] {
        folder = store.GetFolderFromID(entryId);
        context_.view.SetCaption(TargetLabel::LblSaveHeader, folder->Name());
        kind = folder->DefaultMessageClass();
    });
    if (!opened) {
        outcomes_.Add({Outcome::FolderNotRead, path, 0, "", "", -1, step.failures().front()});
        return;
    }
    if (kind == kContact)
        ConvertContactFolder(*folder, path);
    else if (kind == kMail || kind == kAppointment || kind == kTask)
        ConvertItemFolder(*folder, path, kind);
    else
        SkipFolder(*folder, path, kind);
}

std::unique_ptr<mapi::Items> ConversionRun::OpenItems(mapi::Folder& folder, const std::string& path, long& count)
{
    ContinueOnError step;
    std::unique_ptr<mapi::Items> items;
    if (step([&] {
            items = folder.GetItems();
            count = items->Count();
        }))
        return items;
    outcomes_.Add({Outcome::FolderNotRead, path, 0, "", "", -1, step.failures().front()});
    return nullptr;
}

// Journal entries, notes and other kinds are not converted; their count says what stayed behind.
void ConversionRun::SkipFolder(mapi::Folder& folder, const std::string& path, const std::string& kind)
{
    long count = 0;
    if (!OpenItems(folder, path, count) || count == 0)
        return;
    outcomes_.Add({Outcome::SkippedByDesign, path, 0, "", "", count,
                     fmt::format("items of folders of class \"{}\" are not converted", kind)});
}

void ConversionRun::ConvertItemFolder(mapi::Folder& folder, const std::string& path, const std::string& kind)
{
    long count = 0;
    auto items = OpenItems(folder, path, count);
    if (!items)
        return;
    const std::string notesFolder = NotesFolderName(kind, path);
    for (long counter = 1; counter <= count; ++counter) {
        ItemAccount account{path, counter};
        ContinueOnError step;
        std::unique_ptr<mapi::Item> item;
        if (step([&] { item = items->Item(counter); })) {
            ConvertItem(*item, kind, notesFolder, account, count);
        } else {
            account.failures = step.failures();
            Record(std::move(account), {});
        }
        if (!ItemDone())
            return;
    }
}

void ConversionRun::ConvertContactFolder(mapi::Folder& folder, const std::string& path)
{
    long count = 0;
    auto items = OpenItems(folder, path, count);
    if (!items)
        return;
    for (long counter = 1; counter <= count; ++counter) {
        ItemAccount account{path, counter};
        ConvertContactItem(*items, account, count);
        if (!ItemDone())
            return;
    }
}

void ConversionRun::ConvertContactItem(mapi::Items& items, ItemAccount& account, long count)
{
    ContinueOnError steps;
    WriteResult result;
    bool alreadyThere = false;
    std::vector<std::string> leftOut;
    steps([&] {
        auto item = items.Item(account.position);
        account.id = EntryIdOf(*item);
        if (AlreadyThere(account)) {
            alreadyThere = true;
            return;
        }
        leftOut = item->LeftOut();
        if (item->MessageClass() == "IPM.DistList") {
            GroupFields group;
            group.Members = ReadMemberList(*item, steps);
            group.DLName = account.caption = item->Text(mapi::TextField::DLName);
            group.Desc = item->Text(mapi::TextField::Body);
            ShowProgress(account.caption, account.position, count);
            result = WriteGroup(context_, target_, group, account.id);
        } else {
            account.caption = item->Text(mapi::TextField::FirstName) + " " + item->Text(mapi::TextField::LastName);
            ShowProgress(account.caption, account.position, count);
            result = WritePerson(context_, target_, ReadContactFields(*item), account.id);
        }
    });
    if (alreadyThere)
        return;
    account.failures = std::move(leftOut);
    Append(account.failures, steps.failures());
    Record(std::move(account), result);
}

void ConversionRun::ConvertItem(mapi::Item& item, const std::string& kind, const std::string& notesFolder,
                                ItemAccount& account, long count)
{
    // The item's own temporary folders go when it is done, converted or not.
    account.id = EntryIdOf(item);
    if (AlreadyThere(account))
        return;
    TemporaryAttachments temporary(tempFolder_);
    const auto attachments = temporary.SaveAll(item);
    ContinueOnError steps;
    steps([&] {
        account.caption = item.Subject();
        ShowProgress(account.caption, account.position, count);
    });
    WriteResult result;
    steps([&] {
        result = WriteItem(kind, item, attachments.files.empty() ? nullptr : &attachments.files, notesFolder, account.id);
    });
    account.failures = item.LeftOut();
    Append(account.failures, steps.failures());
    Append(account.failures, attachments.missing);
    Record(std::move(account), result);
}

WriteResult ConversionRun::WriteItem(const std::string& kind, mapi::Item& item, const AttachmentFiles* attachments,
                                     const std::string& notesFolder, const std::string& origin)
{
    if (kind == kMail)
        return WriteMemo(context_, target_, ReadMailFields(item), attachments, notesFolder, origin);
    if (kind == kAppointment)
        return WriteAppointment(item, attachments, notesFolder, origin);
    return WriteTask(context_, target_, ReadTaskFields(item), attachments, notesFolder, origin);
}

// A series whose recurrence cannot be read still arrives as its first occurrence, in part.
WriteResult ConversionRun::WriteAppointment(mapi::Item& item, const AttachmentFiles* attachments,
                                            const std::string& notesFolder, const std::string& origin)
{
    auto fields = ReadCalendarFields(item);
    std::optional<std::string> seriesFailure;
    try {
        fields.repeat = ReadCalendarRepeat(item, fields.calStart);
    } catch (const ComponentError& error) {
        seriesFailure = fmt::format("only the first occurrence of the series is written: its recurrence cannot be "
                                    "read: {}",
                                    error.what());
    }
    auto result = WriteCalendarEntry(context_, target_, fields, attachments, notesFolder, origin);
    if (result.saved && seriesFailure)
        result.failures.push_back(*seriesFailure);
    return result;
}

void ConversionRun::ShowProgress(const std::string& caption, long counter, long count)
{
    context_.view.SetCaption(TargetLabel::LblProcessing, caption);
    context_.view.SetCaption(TargetLabel::LblFound, std::to_string(count));
    context_.view.SetCaption(TargetLabel::LblCurrent, fmt::format("{}/{}", counter, count));
    // A window paints the item at hand here, if its pace lets it, before the item takes its time.
    context_.view.Yield();
}

// A saved document with nothing missing is converted whole; a saved one that lacks something is
// converted in part; an item without a document is not converted. The writer's own failures
// come after the run's (reading the item comes first).
void ConversionRun::Record(ItemAccount account, const WriteResult& result)
{
    auto failures = std::move(account.failures);
    if (result.endedBy)
        failures.push_back(*result.endedBy);
    Append(failures, result.failures);
    ConversionProblem problem;
    problem.folder = std::move(account.folder);
    problem.position = account.position;
    problem.item = ItemCaption(account.caption);
    problem.id = std::move(account.id);
    if (result.saved && failures.empty()) {
        outcomes_.AddWhole(std::move(problem));
        return;
    }
    problem.outcome = result.saved ? Outcome::ConvertedInPart : Outcome::NotConverted;
    problem.reason = failures.empty() ? "the document was not saved" : Join(failures);
    outcomes_.Add(std::move(problem));
}

}  // namespace varnemo
