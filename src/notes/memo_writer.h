#pragma once

#include "common/date_time.h"
#include "notes/document_writer.h"

#include <string>

namespace varnemo {

// Writes one mail item as a memo into the target database and files it into FolderName.
// Best effort: no failure reaches the caller; the result tells whether the memo was saved.
WriteResult SendNotesMail(WriterContext& context, const std::string& Subject, std::string& MailAttachment,
                          const std::string& MailTo, const std::string& MailFrom, const std::string& MailCC,
                          const std::string& MailBCC, const std::string& BodyText, const DateTime& MailDate,
                          const std::string& FolderName, bool SaveIt);

}  // namespace varnemo
