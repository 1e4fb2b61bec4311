#pragma once

// The fake MAPI access component: an RDOSession over a mailbox described in JSON,
//   {"stores": [{"name", "entryId", "pstPath", "top": FOLDER}]}
//   FOLDER = {"name", "entryId", "class", "folders": [FOLDER], "items": [ITEM]}
//   ITEM = {"class", "texts": {property: text}, "dates": {property: "yyyy-mm-ddThh:mm:ss"},
//           "importance", "attachments": [{"fileName", "content"}],
//           "members": [{"name", "address"}], "failing": [property]}
// An item has the properties of its class in the object model; reading any other one fails
// with DISP_E_UNKNOWNNAME, as it does on the real objects. Unset texts are empty, unset dates
// Outlook's "no date" (4501-01-01).

#include <windows.h>

namespace varnemo::testing {

// A new RDOSession over the mailbox file that VARNEMO_FAKE_MAILBOX names.
IDispatch* NewFakeRdoSession();

}  // namespace varnemo::testing
