#pragma once

// The properties of an item, a recipient row and an attachment, from the mailbox model.

#include "mailbox.h"
#include "named_properties.h"

namespace pstgen {

PropertyList ItemProperties(const Item& item, NameToIdMap& names);
PropertyList RecipientProperties(const Recipient& recipient);
// Everything but the data of an embedded item, which the writer links in.
PropertyList AttachmentProperties(const Attachment& attachment);

// The entry id of an address that is not in any address book.
Bytes OneOffEntryId(const Address& address);

}  // namespace pstgen
