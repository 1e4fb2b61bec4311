#pragma once

// The fake Notes automation component: a NotesSession whose every call, with the types of its
// arguments, is appended to the call log. Relative database paths (templates, names.nsf) open
// as they would from the Notes data directory; an absolute path must name an existing file.
// CreateCopy creates the file; EmbedObject needs its source file. GetEnvironmentString answers
// from the mailbox file's "notes" object.

#include <windows.h>

namespace varnemo::testing {

IDispatch* NewFakeNotesSession();

}  // namespace varnemo::testing
