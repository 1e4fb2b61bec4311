#pragma once

#include <filesystem>
#include <string>

namespace varnemo::notes::local {

class SqliteConnection;

struct AttachmentSource {
    std::string itemName;    // the rich-text item that holds the attachment
    std::string objectName;  // the attachment's name within its document
    std::string fileName;    // the name the attached file had
    std::filesystem::path file;  // where its bytes are now
};

// Copies the file's bytes into the store, piece by piece, as an attachment staged for the
// document with the given UNID: committed, so the caller may delete the file at once, but no
// part of any document until that document's Save claims it. Fails when the file is missing,
// is not a regular file, or changes size while it is copied.
void StageAttachment(SqliteConnection& connection, const std::string& unid, const AttachmentSource& source);

// Removes what was staged for a document that is abandoned without being saved.
void DiscardStagedAttachments(SqliteConnection& connection, const std::string& unid);

// Hands the staged attachments to the saved document; part of its Save transaction.
void ClaimStagedAttachments(SqliteConnection& connection, const std::string& unid, long long documentId);

}  // namespace varnemo::notes::local
