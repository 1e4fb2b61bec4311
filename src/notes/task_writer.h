#pragma once

#include "common/date_time.h"
#include "notes/document_writer.h"

#include <string>

namespace varnemo {

// The values of one task, as the task writer takes them.
struct TaskFields {
    std::string TaskSubject, TaskBody, TaskPriority;
    DateTime TaskDueDate, TaskStart, TaskCreationTime, TaskReminderTime;
};

// Writes one task into the mail database and files it into folderName, with the attachment
// files embedded (none when attachments is null). Fails like the
// calendar writer: a failure before the first attachment file ends it.
WriteResult WriteTask(WriterContext& context, const TargetDatabases& target, const TaskFields& task,
                      const AttachmentFiles* attachments, const std::string& folderName,
                      const std::string& origin = {});

// The same, with the values one by one and the attachments as an attachment list; a failure
// that ends the writer is thrown as ComponentError. The reminder time is accepted and never read.
WriteResult SendNotesTask(WriterContext& context, const std::string& TaskSubject, std::string& MailAttachment,
                          const DateTime& TaskDueDate, const DateTime& TaskStart, const std::string& TaskBody,
                          const DateTime& TaskCreationTime, const std::string& TaskPriority,
                          const DateTime& TaskReminderTime, const std::string& FolderName, bool SaveIt);

}  // namespace varnemo
