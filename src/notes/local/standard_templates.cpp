#include "notes/local/standard_templates.h"

namespace varnemo::notes::local {

DatabaseDesign MailTemplateDesign()
{
    using enum DesignKind;
    return {"Mail",
            true,
            {
                {Form, "Memo"},
                {Form, "Reply"},
                {Form, "Reply With History"},
                {Form, "Appointment"},
                {Form, "Task"},
                {Form, "Notice"},
                {View, "($Sent)"},
                {View, "($Calendar)"},
                {View, "($ToDo)"},
                {View, "($All)"},
                {Folder, "($Inbox)"},
                {Folder, "($Drafts)"},
                {Folder, "($Trash)"},
            }};
}

DatabaseDesign PersonalAddressBookTemplateDesign()
{
    using enum DesignKind;
    return {"Personal Address Book",
            true,
            {
                {Form, "Person"},
                {Form, "Group"},
                {View, "People"},
                {View, "Groups"},
            }};
}

}  // namespace varnemo::notes::local
