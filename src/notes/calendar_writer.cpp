#include "notes/calendar_writer.h"

namespace varnemo {

WriteResult SendNotesCalendar(WriterContext& context, const std::string& calSubject, std::string& MailAttachment,
                              const std::string& calSenderEmail, const DateTime& calStart, const DateTime& calEnd,
                              const std::string& calBody, const DateTime& /*calCreationTime: never read*/,
                              const std::string& calLocation, const std::string& calCategories,
                              const std::string& FolderName, bool /*SaveIt: accepted, never read*/)
{
    ItemList items = {
        {"Form", std::string("Appointment")},
        {"AltChair", std::string()},
        {"Chair", std::string()},
        {"AppointmentType", std::string("0")},
        {"STARTDATETIME", calStart},
        {"EndDateTime", calEnd},
        {"StartDate", calStart.DatePart()},
        {"StartTime", calStart.TimePart()},
        {"EndDate", calEnd.DatePart()},
        {"EndTime", calEnd.TimePart()},
        {"From", calSenderEmail},
        {"Location", calLocation},
        {"Subject", calSubject},
        {"Body", calBody},
        {"CalendarDateTime", calStart},
        {"Categories", calCategories},
        {"excludeFromView", context.state.ExcludeFromViewList()},
    };
    auto plan = MailDatabasePlan(context, std::move(items), MailAttachment, FolderName, FailureMode::ReportUntilFirstFile);
    return WriteDocument(context, plan);
}

}  // namespace varnemo
