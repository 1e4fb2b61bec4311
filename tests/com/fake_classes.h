#pragma once

// The classes that the fake server DLL serves, under the real components' ProgIDs, and the
// environment variables through which a test hands it a mailbox and a log file.

#include <windows.h>

namespace varnemo::testing {

inline constexpr const wchar_t* kFakeRdoSessionProgId = L"Redemption.RDOSession";
inline constexpr const wchar_t* kFakeNotesSessionProgId = L"Notes.NotesSession";
// {6f1d3a52-4c1e-4b8e-9a3d-2f7c1b0e5a01} and {6f1d3a52-4c1e-4b8e-9a3d-2f7c1b0e5a02}
inline constexpr CLSID kFakeRdoSessionClass = {0x6f1d3a52, 0x4c1e, 0x4b8e, {0x9a, 0x3d, 0x2f, 0x7c, 0x1b, 0x0e, 0x5a, 0x01}};
inline constexpr CLSID kFakeNotesSessionClass = {0x6f1d3a52, 0x4c1e, 0x4b8e, {0x9a, 0x3d, 0x2f, 0x7c, 0x1b, 0x0e, 0x5a, 0x02}};

// A JSON file describing the mailbox and the Notes environment (see fake_server/mailbox.h).
inline constexpr const char* kMailboxVariable = "VARNEMO_FAKE_MAILBOX";
// The file that every call is appended to, one line each.
inline constexpr const char* kCallLogVariable = "VARNEMO_FAKE_CALL_LOG";

}  // namespace varnemo::testing
