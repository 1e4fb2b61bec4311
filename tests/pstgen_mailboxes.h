#pragma once

// Mailboxes that the pstgen tests write: one of every shape, described in JSON as a user of
// `pstgen describe` would, and synthetic ones.

#include "pstgen/mailbox.h"

namespace varnemo::testing {

// Folders at three levels with Unicode, "#", "\" and duplicate names and every container
// class, empty and full; every item kind with every value; attachments with hostile names and
// an embedded item that has an attachment of its own.
pstgen::Mailbox EveryShapeMailbox();

// Two mail items in "Inbox" delivered an hour apart, either side of the end of summer time in
// Berlin, at the same wall-clock time there (02:30).
pstgen::Mailbox EndOfSummerTimeMailbox();

// One folder "Bulk" of count small mail items.
pstgen::Mailbox BulkMailbox(std::size_t count);

// One mail item in "Inbox" with one attachment of size bytes of seeded content.
pstgen::Mailbox LargeAttachmentMailbox(std::uint64_t size);

}  // namespace varnemo::testing
