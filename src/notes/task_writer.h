#pragma once

#include "common/date_time.h"
#include "notes/document_writer.h"

#include <string>

namespace varnemo {

// Writes one task into the target database and files it into FolderName. Fails like the
// calendar writer: a failure before the first attachment file is thrown to the caller.
WriteResult SendNotesTask(WriterContext& context, const std::string& TaskSubject, std::string& MailAttachment,
                          const DateTime& TaskDueDate, const DateTime& TaskStart, const std::string& TaskBody,
                          const DateTime& TaskCreationTime, const std::string& TaskPriority,
                          const DateTime& TaskReminderTime, const std::string& FolderName, bool SaveIt);

}  // namespace varnemo
