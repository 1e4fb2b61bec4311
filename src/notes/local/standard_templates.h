#pragma once

#include "notes/local/database_design.h"

namespace varnemo::notes::local {

// The design of mail.ntf as a fresh installation provides it: the mail forms, the hidden views
// that the mail file's navigator shows, and the standard folders.
DatabaseDesign MailTemplateDesign();

// The design of pernames.ntf, the personal address book template.
DatabaseDesign PersonalAddressBookTemplateDesign();

}  // namespace varnemo::notes::local
