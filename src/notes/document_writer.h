#pragma once

#include "notes/notes.h"
#include "notes/writer_context.h"
#include "notes/writer_steps.h"

#include <string>
#include <utility>
#include <vector>

namespace varnemo {

// The items of one document, in the order they are assigned.
using ItemList = std::vector<std::pair<std::string, notes::ItemValue>>;

// One Notes document as a writer wants it written.
struct DocumentPlan {
    std::string databasePath;
    // Make sure the folder exists before the document is created (mail, calendar, task).
    bool enableFolderFirst = false;
    ItemList items;
    // The caller's attachment list, or none for writers without attachments.
    std::string* attachmentList = nullptr;
    std::string folderName;
    FailureMode failureMode = FailureMode::BestEffort;
};

// What became of a document.
struct WriteResult {
    bool saved = false;
    // The steps that failed and were skipped, in order; the first one is the cause.
    std::vector<std::string> failures;
};

// A document of the target mail database, made sure of its folder first and filed into it,
// with the attachment list embedded.
DocumentPlan MailDatabasePlan(WriterContext& context, ItemList items, std::string& attachmentList,
                              const std::string& folderName, FailureMode failureMode);

// A document of the address book (contacts and groups) filed into folderName; best effort.
DocumentPlan AddressBookPlan(WriterContext& context, ItemList items, const std::string& folderName);

// Writes one document through its own Notes session: open the database, create the document,
// assign its items, embed its attachments, save it and file it. A failure that the plan's mode
// reports propagates as ComponentError.
WriteResult WriteDocument(WriterContext& context, DocumentPlan& plan);

}  // namespace varnemo
