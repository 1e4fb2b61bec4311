#include "notes/memo_writer.h"

namespace varnemo {

WriteResult SendNotesMail(WriterContext& context, const std::string& Subject, std::string& MailAttachment,
                          const std::string& MailTo, const std::string& MailFrom, const std::string& MailCC,
                          const std::string& MailBCC, const std::string& BodyText, const DateTime& MailDate,
                          const std::string& FolderName, bool /*SaveIt: accepted, never read*/)
{
    DocumentPlan plan;
    plan.databasePath = context.state.TargetDatabasePath;
    plan.enableFolderFirst = true;
    plan.items = {
        {"Form", std::string("Memo")},
        {"From", MailFrom},
        {"CopyTo", MailCC},
        {"BlindCopyTo", MailBCC},
        {"Subject", Subject},
        {"Body", BodyText},
        {"PostedDate", MailDate},
        {"Type", std::string("Memo")},
        {"excludeFromView", context.state.ExcludeFromViewList()},
        {"SendTo", MailTo},
        {"Principal", MailFrom},
        {"DeliveredDate", MailDate},
    };
    plan.attachmentList = &MailAttachment;
    plan.folderName = FolderName;
    plan.failureMode = FailureMode::BestEffort;
    return WriteDocument(context, plan);
}

}  // namespace varnemo
