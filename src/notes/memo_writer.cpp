#include "notes/memo_writer.h"

namespace varnemo {
namespace {

using Rule = ItemRule<MailFields>;

const std::vector<Rule> kMemoItems = {
    Fixed<MailFields>("Form", "Memo"),
    Field("From", &MailFields::MailFrom),
    Field("CopyTo", &MailFields::MailCC),
    Field("BlindCopyTo", &MailFields::MailBCC),
    Field("Subject", &MailFields::Subject),
    Field("Body", &MailFields::BodyText),
    Field("PostedDate", &MailFields::MailDate),
    Fixed<MailFields>("Type", "Memo"),
    ExcludeFromView<MailFields>(),
    Field("SendTo", &MailFields::MailTo),
    Field("Principal", &MailFields::MailFrom),
    Field("DeliveredDate", &MailFields::MailDate),
};

}  // namespace

WriteResult WriteMemo(WriterContext& context, const TargetDatabases& target, const MailFields& mail,
                      const AttachmentFiles* attachments, const std::string& folderName,
                      const std::string& origin)
{
    auto plan = MailDatabasePlan(target, ItemsByRules(kMemoItems, mail, context.state), attachments, folderName,
                                       FailureMode::BestEffort);
    plan.origin = origin;
    return WriteDocument(context, plan);
}

WriteResult SendNotesMail(WriterContext& context, const std::string& Subject, std::string& MailAttachment,
                          const std::string& MailTo, const std::string& MailFrom, const std::string& MailCC,
                          const std::string& MailBCC, const std::string& BodyText, const DateTime& MailDate,
                          const std::string& FolderName, bool /*SaveIt: accepted, never read*/)
{
    const MailFields mail{Subject, MailTo, MailFrom, MailCC, MailBCC, BodyText, MailDate};
    const auto files = TakeAttachmentList(MailAttachment);
    return WriteMemo(context, CurrentTargetDatabases(context), mail, files ? &*files : nullptr, FolderName);
}

}  // namespace varnemo
