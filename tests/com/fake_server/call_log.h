#pragma once

#include "fake_server/fake_object.h"

#include <string>

namespace varnemo::testing {

// Appends a line to the file that the test named in VARNEMO_FAKE_CALL_LOG (nothing when unset).
void LogLine(const std::string& line);

// "NotesDatabase.EnableFolder(VT_BSTR \"Outlook\\Inbox\")" or, for an assignment,
// "NotesDocument.Subject = VT_BSTR \"Hello\"".
std::string DescribeCall(const std::string& typeName, const Invocation& call);

// Registers a member whose every call is logged before the handler runs.
void OnLogged(FakeObject& object, const std::string& member, FakeObject::Handler handler);

}  // namespace varnemo::testing
