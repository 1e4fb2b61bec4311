#include "notes/memo_writer.h"

namespace varnemo {

WriteResult SendNotesMail(WriterContext& context, const std::string& Subject, std::string& MailAttachment,
                          const std::string& MailTo, const std::string& MailFrom, const std::string& MailCC,
                          const std::string& MailBCC, const std::string& BodyText, const DateTime& MailDate,
                          const std::string& FolderName, bool /*SaveIt: accepted, never read*/)
{
    ItemList items = {
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
    auto plan = MailDatabasePlan(context, std::move(items), MailAttachment, FolderName, FailureMode::BestEffort);
    return WriteDocument(context, plan);
}

}  // namespace varnemo
