#pragma once

#include "conversion/conversion_summary.h"
#include "notes/document_writer.h"
#include "notes/writer_context.h"
#include "source/mapi.h"

namespace varnemo {

// The conversion: reopens the chosen store, settles the target database (creating a new one
// when the user asked for it), and hands every item of every selected folder to its writer,
// showing progress in the target window and ending with the completion message.
class ConversionRun {
public:
    ConversionRun(mapi::Component& mapi, WriterContext context) : mapi_(mapi), context_(std::move(context)) {}

    // Runs one conversion; does nothing while one is already running (the window's events are
    // processed during a run). Throws ProgramEnding when the new database cannot be created.
    void CmdConversion_Click();

    bool Running() const { return running_; }
    // What the last run converted and what it could not.
    const ConversionSummary& Summary() const { return summary_; }

private:
    void Convert();
    void SettleNewDatabasePath(mapi::Store& store);
    void CheckTargetDatabase();
    void ConvertFolder(mapi::Store& store, const std::string& entry);
    // The folder's items and their count, or nothing (the problem recorded) when unreadable.
    std::unique_ptr<mapi::Items> OpenItems(mapi::Folder& folder, const std::string& path, long& count);
    void ConvertContactFolder(mapi::Folder& folder, const std::string& path);
    void ConvertItemFolder(mapi::Folder& folder, const std::string& path, const std::string& kind);
    void ConvertItem(mapi::Item& item, const std::string& kind, const std::string& notesFolder,
                     const std::string& path, long counter, long count);
    WriteResult WriteItem(const std::string& kind, mapi::Item& item, const std::string& notesFolder);
    void ShowProgress(const std::string& caption, long counter, long count);
    void Record(const std::string& path, const std::string& caption, const WriteResult& result);

    mapi::Component& mapi_;
    WriterContext context_;
    bool running_ = false;
    ConversionSummary summary_;
};

}  // namespace varnemo
