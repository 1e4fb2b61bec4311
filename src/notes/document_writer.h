#pragma once

#include "notes/embed_attachment_list.h"
#include "notes/item_rules.h"
#include "notes/notes.h"
#include "notes/writer_context.h"
#include "notes/writer_steps.h"

#include <optional>
#include <string>
#include <vector>

namespace varnemo {

// The databases that a conversion writes into, settled once when it starts.
struct TargetDatabases {
    // Memos, calendar entries and tasks.
    std::string mailDatabase;
    // Contacts and groups: the new address book in a new-database conversion, the target
    // database otherwise.
    std::string addressBook;
};

// The item in which a converted document records the entry id of the Outlook item it came from,
// so that converting the same mailbox into the database again adds only what is missing.
inline constexpr const char* kOriginItem = "VarnemoOrigin";

// The target databases as the program-wide values and the target window give them now.
TargetDatabases CurrentTargetDatabases(WriterContext& context);

// One Notes document as a writer wants it written.
struct DocumentPlan {
    std::string databasePath;
    // Make sure the folder exists before the document is created (mail, calendar, task).
    bool enableFolderFirst = false;
    ItemList items;
    // The files to embed; none for an item without attachments (no rich-text item then).
    const AttachmentFiles* attachments = nullptr;
    std::string folderName;
    FailureMode failureMode = FailureMode::BestEffort;
    // The entry id of the item the document comes from, recorded as kOriginItem; none when empty.
    std::string origin;
};

// What became of a document.
struct WriteResult {
    bool saved = false;
    // The steps that failed and were skipped, in order; the first one is the cause.
    std::vector<std::string> failures;
    // The failure that ended a writer that reports its failures (see FailureMode).
    std::optional<std::string> endedBy;

    // The writers' named entry points report a failure that ended the writer by throwing it.
    const WriteResult& ThrowIfEnded() const;
};

// Every typed writer takes origin, the entry id of the Outlook item it writes, and records it in
// the document (kOriginItem); an empty origin is not recorded.

// A document of the mail database, made sure of its folder first and filed into it, with the
// attachment files embedded.
DocumentPlan MailDatabasePlan(const TargetDatabases& target, ItemList items, const AttachmentFiles* attachments,
                              const std::string& folderName, FailureMode failureMode);

// A document of the address book (contacts and groups) filed into folderName; best effort.
DocumentPlan AddressBookPlan(const TargetDatabases& target, ItemList items, const std::string& folderName);

// Writes one document through its own Notes session: open the database, create the document,
// assign its items, embed its attachments, save it and file it. A failure that the plan's mode
// reports ends the writing and is returned as endedBy.
WriteResult WriteDocument(WriterContext& context, const DocumentPlan& plan);

}  // namespace varnemo
