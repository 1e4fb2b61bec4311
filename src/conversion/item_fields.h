#pragma once

#include "common/continue_on_error.h"
#include "common/date_time.h"
#include "notes/calendar_writer.h"
#include "notes/contact_writer.h"
#include "notes/memo_writer.h"
#include "notes/task_writer.h"
#include "source/mapi.h"

#include <string>

namespace varnemo {

// The values each writer takes from a source item. Reading fails with ComponentError when a
// value cannot be read; the item is then not written.

MailFields ReadMailFields(mapi::Item& item);
CalendarFields ReadCalendarFields(mapi::Item& item);
TaskFields ReadTaskFields(mapi::Item& item);
ContactFields ReadContactFields(mapi::Item& item);

// The members of a distribution list as one text: "'" + member + "' " for each, in order. A
// member that cannot be read is left out and its failure added to failures.
std::string ReadMemberList(mapi::Item& item, ContinueOnError& failures);

}  // namespace varnemo
