#pragma once

#include "common/date_time.h"
#include "notes/document_writer.h"

#include <string>

namespace varnemo {

// The values of one mail item, as the memo writer takes them.
struct MailFields {
    std::string Subject, MailTo, MailFrom, MailCC, MailBCC, BodyText;
    DateTime MailDate;
};

// Writes one mail item as a memo into the mail database and files it into folderName, with the
// attachment files embedded (none when attachments is null). Best effort: no failure reaches the caller; the result tells
// whether the memo was saved and what it lacks.
WriteResult WriteMemo(WriterContext& context, const TargetDatabases& target, const MailFields& mail,
                      const AttachmentFiles* attachments, const std::string& folderName,
                      const std::string& origin = {});

// The same, with the values one by one and the attachments as an attachment list.
WriteResult SendNotesMail(WriterContext& context, const std::string& Subject, std::string& MailAttachment,
                          const std::string& MailTo, const std::string& MailFrom, const std::string& MailCC,
                          const std::string& MailBCC, const std::string& BodyText, const DateTime& MailDate,
                          const std::string& FolderName, bool SaveIt);

}  // namespace varnemo
