#pragma once

#include "common/date_time.h"
#include "notes/document_writer.h"

#include <optional>
#include <string>
#include <vector>

namespace varnemo {

// How a repeating calendar entry repeats, in the words of the Notes calendar, and every one of
// its occurrences.
struct CalendarRepeat {
    std::string unit;                 // RepeatUnit: "D", "W", "MD" (by date), "MP" (by position), "YD"
    std::string interval;             // RepeatInterval: every so many units
    std::vector<std::string> adjust;  // RepeatAdjust: week days "0" (Sunday) to "6"; month days;
                                      // or week "1" to "5" (last) and day as "2.1"
    std::string how;                  // RepeatHow: "U" until a date, "F" for a number of times
    DateTime until;                   // RepeatUntil: the last day (with "U")
    std::string count;                // RepeatFor: the number of occurrences (with "F")
    std::vector<DateTime> starts, ends;
    // Set when occurrences past the horizon were left out: the first day left out.
    DateTime cutAt;
};

// The item that records where a series without end was cut short.
inline constexpr const char* kSeriesCutItem = "VarnemoRepeatCut";

// The values of one appointment, as the calendar writer takes them; repeat only for a series.
struct CalendarFields {
    std::string calSubject, calSenderEmail, calBody, calLocation, calCategories;
    DateTime calStart, calEnd, calCreationTime;
    std::optional<CalendarRepeat> repeat;
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
