#pragma once

#include "notes/writer_context.h"

namespace varnemo {

// Creates the new mail database at TargetDatabasePath from the default mail template, and a new
// address book "names<time stamp>.nsf" in the folder that NamesDbPath names on entry (ending in
// the path separator), or "names<time stamp>-2.nsf" and so on when that name is taken;
// NamesDbPath then holds the address book's path. On failure it tells the
// user that Notes is not installed or configured, ends the program and throws ProgramEnding.
void CreateNSF(WriterContext& context);

}  // namespace varnemo
