#include "notes/task_writer.h"

namespace varnemo {
namespace {

using Rule = ItemRule<TaskFields>;

const std::vector<Rule> kTaskItems = {
    Fixed<TaskFields>("Form", "Task"),
    Fixed<TaskFields>("TaskType", "1"),
    Fixed<TaskFields>("Chair", ""),
    Fixed<TaskFields>("Repeats", ""),
    Fixed<TaskFields>("From", ""),
    Field("DueDate", &TaskFields::TaskDueDate),
    Field("DueDateTime", &TaskFields::TaskDueDate),
    Field("StartDate", &TaskFields::TaskStart),
    Field("STARTDATETIME", &TaskFields::TaskStart),
    Field("Subject", &TaskFields::TaskSubject),
    Field("Body", &TaskFields::TaskBody),
    Field("CalendarDateTime", &TaskFields::TaskCreationTime),
    Field("Importance", &TaskFields::TaskPriority),
    ExcludeFromView<TaskFields>(),
};

}  // namespace

WriteResult WriteTask(WriterContext& context, const TargetDatabases& target, const TaskFields& task,
                      const AttachmentFiles* attachments, const std::string& folderName,
                      const std::string& origin)
{
    auto plan = MailDatabasePlan(target, ItemsByRules(kTaskItems, task, context.state), attachments, folderName,
                                       FailureMode::ReportUntilFirstFile);
    plan.origin = origin;
    return WriteDocument(context, plan);
}

WriteResult SendNotesTask(WriterContext& context, const std::string& TaskSubject, std::string& MailAttachment,
                          const DateTime& TaskDueDate, const DateTime& TaskStart, const std::string& TaskBody,
                          const DateTime& TaskCreationTime, const std::string& TaskPriority,
                          const DateTime& TaskReminderTime, const std::string& FolderName,
                          bool /*SaveIt: accepted, never read*/)
{
    const TaskFields task{TaskSubject, TaskBody,         TaskPriority,    TaskDueDate,
                          TaskStart,   TaskCreationTime, TaskReminderTime};
    const auto files = TakeAttachmentList(MailAttachment);
    return WriteTask(context, CurrentTargetDatabases(context), task, files ? &*files : nullptr, FolderName).ThrowIfEnded();
}

}  // namespace varnemo
