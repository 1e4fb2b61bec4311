#pragma once

#include "common/date_time.h"
#include "notes/document_writer.h"

#include <string>

namespace varnemo {

// Writes one appointment as a calendar entry into the target database and files it into
// FolderName. A failure before the first attachment file ends the writer and is thrown to the
// caller as ComponentError; later failures are skipped.
WriteResult SendNotesCalendar(WriterContext& context, const std::string& calSubject, std::string& MailAttachment,
                              const std::string& calSenderEmail, const DateTime& calStart, const DateTime& calEnd,
                              const std::string& calBody, const DateTime& calCreationTime,
                              const std::string& calLocation, const std::string& calCategories,
                              const std::string& FolderName, bool SaveIt);

}  // namespace varnemo
