#include "notes/calendar_writer.h"

namespace varnemo {
namespace {

using Rule = ItemRule<CalendarFields>;

const std::vector<Rule> kCalendarEntryItems = {
    Fixed<CalendarFields>("Form", "Appointment"),
    Fixed<CalendarFields>("AltChair", ""),
    Fixed<CalendarFields>("Chair", ""),
    Fixed<CalendarFields>("AppointmentType", "0"),
    Field("STARTDATETIME", &CalendarFields::calStart),
    Field("EndDateTime", &CalendarFields::calEnd),
    Computed<CalendarFields>("StartDate", [](const CalendarFields& f) { return f.calStart.DatePart(); }),
    Computed<CalendarFields>("StartTime", [](const CalendarFields& f) { return f.calStart.TimePart(); }),
    Computed<CalendarFields>("EndDate", [](const CalendarFields& f) { return f.calEnd.DatePart(); }),
    Computed<CalendarFields>("EndTime", [](const CalendarFields& f) { return f.calEnd.TimePart(); }),
    Field("From", &CalendarFields::calSenderEmail),
    Field("Location", &CalendarFields::calLocation),
    Field("Subject", &CalendarFields::calSubject),
    Field("Body", &CalendarFields::calBody),
    Field("CalendarDateTime", &CalendarFields::calStart),
    Field("Categories", &CalendarFields::calCategories),
    ExcludeFromView<CalendarFields>(),
};

}  // namespace

WriteResult WriteCalendarEntry(WriterContext& context, const TargetDatabases& target, const CalendarFields& appointment,
                               const AttachmentFiles* attachments, const std::string& folderName,
                               const std::string& origin)
{
    auto plan = MailDatabasePlan(target, ItemsByRules(kCalendarEntryItems, appointment, context.state),
                                       attachments, folderName, FailureMode::ReportUntilFirstFile);
    plan.origin = origin;
    return WriteDocument(context, plan);
}

WriteResult SendNotesCalendar(WriterContext& context, const std::string& calSubject, std::string& MailAttachment,
                              const std::string& calSenderEmail, const DateTime& calStart, const DateTime& calEnd,
                              const std::string& calBody, const DateTime& calCreationTime,
                              const std::string& calLocation, const std::string& calCategories,
                              const std::string& FolderName, bool /*SaveIt: accepted, never read*/)
{
    const CalendarFields appointment{calSubject, calSenderEmail, calBody, calLocation, calCategories,
                                     calStart,   calEnd,         calCreationTime};
    const auto files = TakeAttachmentList(MailAttachment);
    return WriteCalendarEntry(context, CurrentTargetDatabases(context), appointment, files ? &*files : nullptr, FolderName).ThrowIfEnded();
}

}  // namespace varnemo
