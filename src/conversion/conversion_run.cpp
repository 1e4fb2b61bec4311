#include "conversion/conversion_run.h"

#include "common/continue_on_error.h"
#include "common/text.h"
#include "conversion/item_fields.h"
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
    running_ = true;
    summary_ = {};
    try {
        Convert();
    } catch (const ComponentError& error) {
        context_.view.ShowMessage(std::string("The conversion could not start.\r\n") + error.what(), "Kestrova Varnemo");
    } catch (...) {
        running_ = false;
        throw;
    }
    running_ = false;
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
        CheckTargetDatabase();
        view.Yield();
    }

    for (const auto& entry : state.SelectedFolders)
        ConvertFolder(*store, entry);

    state.SelectedFolders.clear();
    store.reset();
    session->Logoff();
    session.reset();
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
    state.TargetDatabasePath = TrimBlanks(folder) + TrimBlanks(name) + ".nsf";
}

// A target that cannot be opened would fail every item alike: one message before the first item
// says it better than one failure per item.
void ConversionRun::CheckTargetDatabase()
{
    context_.notes.CreateSession()->GetDatabase("", context_.state.TargetDatabasePath);
}

void ConversionRun::ConvertFolder(mapi::Store& store, const std::string& entry)
{
    if (TrimBlanks(entry).empty())
        return;
    // An entry identifier never holds "#", so the first one ends it; the rest is the path,
    // whatever a folder's name holds.
    const auto separator = entry.find('#');
    const std::string entryId = entry.substr(0, separator);
    const std::string path = separator == std::string::npos ? std::string() : entry.substr(separator + 1);

    ContinueOnError step;
    std::unique_ptr<mapi::Folder> folder;
    std::string kind;
    const bool opened = step([&] {
        folder = store.GetFolderFromID(entryId);
        context_.view.SetCaption(TargetLabel::LblSaveHeader, folder->Name());
        kind = folder->DefaultMessageClass();
    });
    if (!opened) {
        summary_.problems.push_back({path, "", "the folder could not be read: " + step.failures().front()});
        return;
    }
    if (kind == kContact)
        ConvertContactFolder(*folder, path);
    else if (kind == kMail || kind == kAppointment || kind == kTask)
        ConvertItemFolder(*folder, path, kind);
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
    summary_.problems.push_back({path, "", "the folder's items could not be read: " + step.failures().front()});
    return nullptr;
}

void ConversionRun::ConvertItemFolder(mapi::Folder& folder, const std::string& path, const std::string& kind)
{
    long count = 0;
    auto items = OpenItems(folder, path, count);
    if (!items)
        return;
    const std::string notesFolder = NotesFolderName(kind, path);
    for (long counter = 1; counter <= count; ++counter) {
        ContinueOnError step;
        std::unique_ptr<mapi::Item> item;
        if (step([&] { item = items->Item(counter); })) {
            ConvertItem(*item, kind, notesFolder, path, counter, count);
        } else {
            Record(path, fmt::format("item {} of {}", counter, count), {false, {step.failures().back()}});
        }
        context_.view.Yield();
    }
}

void ConversionRun::ConvertContactFolder(mapi::Folder& folder, const std::string& path)
{
    long count = 0;
    auto items = OpenItems(folder, path, count);
    if (!items)
        return;
    for (long counter = 1; counter <= count; ++counter) {
        ContinueOnError steps;
        std::string caption = fmt::format("item {} of {}", counter, count);
        WriteResult result;
        steps([&] {
            auto item = items->Item(counter);
            if (item->MessageClass() == "IPM.DistList") {
                const std::string members = ReadMemberList(*item, steps);
                caption = item->Text(mapi::TextField::DLName);
                ShowProgress(caption, counter, count);
                result = SaveNotesGroups(context_, caption, members, item->Text(mapi::TextField::Body), true);
            } else {
                caption = item->Text(mapi::TextField::FirstName) + " " + item->Text(mapi::TextField::LastName);
                ShowProgress(caption, counter, count);
                result = SaveNotesContacts(context_, ReadContactFields(*item), true);
            }
        });
        result.failures.insert(result.failures.begin(), steps.failures().begin(), steps.failures().end());
        Record(path, caption, result);
        context_.view.Yield();
    }
}

void ConversionRun::ConvertItem(mapi::Item& item, const std::string& kind, const std::string& notesFolder,
                                const std::string& path, long counter, long count)
{
    // The item's own temporary folders go when it is done, converted or not.
    TemporaryAttachments temporary(PathFromText(GetTempFolder()));
    ContinueOnError steps;
    context_.state.AttachmentFileList.clear();
    context_.state.AttachmentFileList = temporary.SaveAll(item, steps);
    std::string caption;
    steps([&] {
        caption = item.Subject();
        ShowProgress(caption, counter, count);
    });
    WriteResult result;
    steps([&] { result = WriteItem(kind, item, notesFolder); });
    result.failures.insert(result.failures.begin(), steps.failures().begin(), steps.failures().end());
    Record(path, caption, result);
}

WriteResult ConversionRun::WriteItem(const std::string& kind, mapi::Item& item, const std::string& notesFolder)
{
    auto& attachments = context_.state.AttachmentFileList;
    if (kind == kMail) {
        const auto f = ReadMailFields(item);
        return SendNotesMail(context_, f.Subject, attachments, f.MailTo, f.MailFrom, f.MailCC, f.MailBCC, f.BodyText,
                             f.MailDate, notesFolder, true);
    }
    if (kind == kAppointment) {
        const auto f = ReadCalendarFields(item);
        return SendNotesCalendar(context_, f.calSubject, attachments, f.calSenderEmail, f.calStart, f.calEnd,
                                 f.calBody, f.calCreationTime, f.calLocation, f.calCategories, notesFolder, true);
    }
    const auto f = ReadTaskFields(item);
    return SendNotesTask(context_, f.TaskSubject, attachments, f.TaskDueDate, f.TaskStart, f.TaskBody,
                         f.TaskCreationTime, f.TaskPriority, f.TaskReminderTime, notesFolder, true);
}

void ConversionRun::ShowProgress(const std::string& caption, long counter, long count)
{
    context_.view.SetCaption(TargetLabel::LblProcessing, caption);
    context_.view.SetCaption(TargetLabel::LblFound, std::to_string(count));
    context_.view.SetCaption(TargetLabel::LblCurrent, fmt::format("{}/{}", counter, count));
}

void ConversionRun::Record(const std::string& path, const std::string& caption, const WriteResult& result)
{
    if (result.saved) {
        ++summary_.converted;
        if (!result.failures.empty())
            summary_.problems.push_back({path, caption, "saved, but not whole: " + Join(result.failures), false});
        return;
    }
    ++summary_.failed;
    summary_.problems.push_back({path, caption, result.failures.empty() ? "not saved" : Join(result.failures), true});
}

}  // namespace varnemo
