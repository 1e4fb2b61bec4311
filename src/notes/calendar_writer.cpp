#include "notes/calendar_writer.h"

#include <fmt/format.h>

namespace varnemo {
namespace {

using Rule = ItemRule<CalendarFields>;

// A single date-time for an entry that happens once; for a series the list of every
// occurrence's, the first one's foremost, as Notes keeps a repeating entry.
template <class Single>
Rule PerOccurrence(std::string item, DateTime CalendarFields::*single, Single listOf)
{
    return Computed<CalendarFields>(std::move(item), [single, listOf](const CalendarFields& f) -> notes::ItemValue {
        if (f.repeat)
            return listOf(*f.repeat);
        return f.*single;
    });
}

const auto kStarts = [](const CalendarRepeat& repeat) { return repeat.starts; };
const auto kEnds = [](const CalendarRepeat& repeat) { return repeat.ends; };

const std::vector<Rule> kCalendarEntryItems = {
    Fixed<CalendarFields>("Form", "Appointment"),
    Fixed<CalendarFields>("AltChair", ""),
    Fixed<CalendarFields>("Chair", ""),
    Fixed<CalendarFields>("AppointmentType", "0"),
    PerOccurrence("STARTDATETIME", &CalendarFields::calStart, kStarts),
    PerOccurrence("EndDateTime", &CalendarFields::calEnd, kEnds),
    Computed<CalendarFields>("StartDate", [](const CalendarFields& f) { return f.calStart.DatePart(); }),
    Computed<CalendarFields>("StartTime", [](const CalendarFields& f) { return f.calStart.TimePart(); }),
    Computed<CalendarFields>("EndDate", [](const CalendarFields& f) { return f.calEnd.DatePart(); }),
    Computed<CalendarFields>("EndTime", [](const CalendarFields& f) { return f.calEnd.TimePart(); }),
    Field("From", &CalendarFields::calSenderEmail),
    Field("Location", &CalendarFields::calLocation),
    Field("Subject", &CalendarFields::calSubject),
    Field("Body", &CalendarFields::calBody),
    PerOccurrence("CalendarDateTime", &CalendarFields::calStart, kStarts),
    Field("Categories", &CalendarFields::calCategories),
    ExcludeFromView<CalendarFields>(),
};

// The repeat items of a series, after the items every entry has.
void AddRepeatItems(const CalendarFields& fields, ItemList& items)
{
    if (!fields.repeat)
        return;
    const auto& repeat = *fields.repeat;
    items.emplace_back("Repeats", "1");
    items.emplace_back("RepeatUnit", repeat.unit);
    items.emplace_back("RepeatInterval", repeat.interval);
    if (!repeat.adjust.empty())
        items.emplace_back("RepeatAdjust", repeat.adjust);
    items.emplace_back("RepeatHow", repeat.how);
    if (repeat.until.hasValue())
        items.emplace_back("RepeatUntil", repeat.until);
    if (!repeat.count.empty())
        items.emplace_back("RepeatFor", repeat.count);
    items.emplace_back("RepeatStartDate", fields.calStart);
    items.emplace_back("RepeatInstanceDates", repeat.starts);
    if (repeat.cutAt.hasValue())
        items.emplace_back(kSeriesCutItem, repeat.cutAt);
}

}  // namespace

WriteResult WriteCalendarEntry(WriterContext& context, const TargetDatabases& target, const CalendarFields& appointment,
                               const AttachmentFiles* attachments, const std::string& folderName,
                               const std::string& origin)
{
    auto items = ItemsByRules(kCalendarEntryItems, appointment, context.state);
    AddRepeatItems(appointment, items);
    auto plan = MailDatabasePlan(target, std::move(items), attachments, folderName, FailureMode::ReportUntilFirstFile);
    plan.origin = origin;
    auto result = WriteDocument(context, plan);
    if (result.saved && appointment.repeat && appointment.repeat->cutAt.hasValue())
        result.failures.push_back(fmt::format("the series has no end; its occurrences from {} on are left out",
                                              appointment.repeat->cutAt.ToGeneralText()));
    return result;
}

WriteResult SendNotesCalendar(WriterContext& context, const std::string& calSubject, std::string& MailAttachment,
                              const std::string& calSenderEmail, const DateTime& calStart, const DateTime& calEnd,
                              const std::string& calBody, const DateTime& calCreationTime,
                              const std::string& calLocation, const std::string& calCategories,
                              const std::string& FolderName, bool /*SaveIt: accepted, never read*/)
{
    const CalendarFields appointment{calSubject, calSenderEmail, calBody, calLocation, calCategories,
                                     calStart,   calEnd,         calCreationTime, std::nullopt};
    const auto files = TakeAttachmentList(MailAttachment);
    return WriteCalendarEntry(context, CurrentTargetDatabases(context), appointment, files ? &*files : nullptr, FolderName).ThrowIfEnded();
}

}  // namespace varnemo
