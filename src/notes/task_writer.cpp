#include "notes/task_writer.h"

namespace varnemo {

WriteResult SendNotesTask(WriterContext& context, const std::string& TaskSubject, std::string& MailAttachment,
                          const DateTime& TaskDueDate, const DateTime& TaskStart, const std::string& TaskBody,
                          const DateTime& TaskCreationTime, const std::string& TaskPriority,
                          const DateTime& /*TaskReminderTime: never read*/, const std::string& FolderName,
                          bool /*SaveIt: accepted, never read*/)
{
    ItemList items = {
        {"Form", std::string("Task")},
        {"TaskType", std::string("1")},
        {"Chair", std::string()},
        {"Repeats", std::string()},
        {"From", std::string()},
        {"DueDate", TaskDueDate},
        {"DueDateTime", TaskDueDate},
        {"StartDate", TaskStart},
        {"STARTDATETIME", TaskStart},
        {"Subject", TaskSubject},
        {"Body", TaskBody},
        {"CalendarDateTime", TaskCreationTime},
        {"Importance", TaskPriority},
        {"excludeFromView", context.state.ExcludeFromViewList()},
    };
    auto plan = MailDatabasePlan(context, std::move(items), MailAttachment, FolderName, FailureMode::ReportUntilFirstFile);
    return WriteDocument(context, plan);
}

}  // namespace varnemo
