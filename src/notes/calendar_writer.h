#pragma once

#include "common/date_time.h"
#include "notes/document_writer.h"

#include <string>

namespace varnemo {

// The values of one appointment, as the calendar writer takes them.
struct CalendarFields {
    std::string calSubject, calSenderEmail, calBody, calLocation, calCategories;
    DateTime calStart, calEnd, calCreationTime;
};

// Writes one appointment as a calendar entry into the mail database and files it into
// folderName, with the attachment files embedded (none when attachments is null). A failure
// before the first attachment file ends the writer (the result's endedBy); later failures are
// skipped.
WriteResult WriteCalendarEntry(WriterContext& context, const TargetDatabases& target, const CalendarFields& appointment,
                               const AttachmentFiles* attachments, const std::string& folderName,
                               const std::string& origin = {});

// The same, with the values one by one and the attachments as an attachment list; a failure
// that ends the writer is thrown as ComponentError. The creation time is accepted and never read.
WriteResult SendNotesCalendar(WriterContext& context, const std::string& calSubject, std::string& MailAttachment,
                              const std::string& calSenderEmail, const DateTime& calStart, const DateTime& calEnd,
                              const std::string& calBody, const DateTime& calCreationTime,
                              const std::string& calLocation, const std::string& calCategories,
                              const std::string& FolderName, bool SaveIt);

}  // namespace varnemo
