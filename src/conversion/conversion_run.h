#pragma once

#include "common/stop_request.h"
#include "conversion/conversion_summary.h"
#include "conversion/uncommitted_outcomes.h"
#include "notes/document_writer.h"
#include "notes/writer_context.h"
#include "source/mapi.h"

#include <chrono>
#include <filesystem>
#include <unordered_set>

namespace varnemo {

struct ConversionOptions {
    // Converts every item even when the database already holds it from an earlier run.
    bool addDuplicates = false;
    // Where the user asks the run to stop; it stops after the item at hand, with the database
    // whole, and ends as a completed run does. The run only reads it: whoever starts a run clears it.
    const StopRequest* stop = nullptr;
};

// The conversion: reopens the chosen store, settles the target database (creating a new one
// when the user asked for it), and hands every item of every selected folder to its writer,
// showing progress in the target window and ending with the completion message. Every item and
// folder it meets ends in the summary: converted whole, converted in part, not converted,
// skipped by design, or in a folder that could not be read.
class ConversionRun {
public:
    ConversionRun(mapi::Component& mapi, WriterContext context, ConversionOptions options = {})
        : mapi_(mapi), context_(std::move(context)), options_(options), outcomes_(context_.notes, summary_)
    {
    }

    // Runs one conversion; does nothing while one is already running (the window's events are
    // processed during a run). Throws ProgramEnding when the new database cannot be created.
    void CmdConversion_Click();

    bool Running() const { return running_; }
    // What the last run converted and what it could not.
    const ConversionSummary& Summary() const { return summary_; }

private:
    // What one item came to while it was converted.
    struct ItemAccount {
        ItemAccount(std::string inFolder, long at) : folder(std::move(inFolder)), position(at) {}
        std::string folder;
        long position = 0;
        std::string caption;
        std::string id;
        // What the item lacks (attachments, members) or why it failed, in order.
        std::vector<std::string> failures;
    };

    void Convert();
    void SettleNewDatabasePath(mapi::Store& store);
    void OpenExistingTarget();
    void RecordLeftOutFolders();
    // The items of the selected folders that the run will convert, counted before the first.
    long CountSelectedItems(mapi::Store& store);
    // True once the user has asked the run to stop, which the summary then records.
    bool Stopping();
    // Shows the overall progress and lets the window work after an item; false once the user
    // has asked the run to stop (recorded in the summary).
    bool ItemDone();
    // True (and counted) when an earlier run brought the item into the database already.
    bool AlreadyThere(const ItemAccount& account);
    void ConvertFolder(mapi::Store& store, const std::string& entry);
    // The folder's items and their count, or nothing (the folder recorded as not read).
    std::unique_ptr<mapi::Items> OpenItems(mapi::Folder& folder, const std::string& path, long& count);
    void ConvertContactFolder(mapi::Folder& folder, const std::string& path);
    void ConvertItemFolder(mapi::Folder& folder, const std::string& path, const std::string& kind);
    void SkipFolder(mapi::Folder& folder, const std::string& path, const std::string& kind);
    void ConvertContactItem(mapi::Items& items, ItemAccount& account, long count);
    void ConvertItem(mapi::Item& item, const std::string& kind, const std::string& notesFolder,
                     ItemAccount& account, long count);
    WriteResult WriteItem(const std::string& kind, mapi::Item& item, const AttachmentFiles* attachments,
                          const std::string& notesFolder, const std::string& origin);
    WriteResult WriteAppointment(mapi::Item& item, const AttachmentFiles* attachments,
                                 const std::string& notesFolder, const std::string& origin);
    void ShowProgress(const std::string& caption, long counter, long count);
    void Record(ItemAccount account, const WriteResult& result);

    mapi::Component& mapi_;
    WriterContext context_;
    ConversionOptions options_;
    // The origins of the documents that an earlier run wrote into the existing target database.
    std::unordered_set<std::string> convertedOrigins_;
    // Settled once the target database is known; every writer of the run writes there.
    TargetDatabases target_;
    // Where items' attachments are saved on their way into documents; looked up once per run.
    std::filesystem::path tempFolder_;
    bool running_ = false;
    ConversionSummary summary_;
    // The items written since the target's last commit, recorded in summary_ once it is made.
    UncommittedOutcomes outcomes_;
    // Overall progress: items done of itemsSelected_, since started_.
    long itemsDone_ = 0;
    long itemsSelected_ = 0;
    std::chrono::steady_clock::time_point started_;
};

}  // namespace varnemo
