#pragma once

#include "source/mapi.h"
#include "source/pff/item_node.h"
#include "source/pff/property_bag.h"
#include "source/pff/recipient_table.h"

#include <ctime>
#include <optional>
#include <string>

namespace varnemo::mapi::pff {

class PffAttachments;

// A message of any kind (mail, appointment, contact, task, list, ...), in a folder or embedded in
// an attachment.
class PffItem : public mapi::Item {
public:
    // where names the item in error messages.
    PffItem(ItemNode node, std::string where);

    std::string EntryID() override;
    std::string Text(TextField field) override;
    DateTime Date(DateField field) override;
    long Importance() override;
    RecurrenceData Recurrence() override;
    std::unique_ptr<mapi::Attachments> GetAttachments() override;
    std::unique_ptr<mapi::Members> GetMembers() override;
    std::vector<std::string> LeftOut() override;

    // What the message-file writer needs beyond the interface.
    std::unique_ptr<PffAttachments> Attachments() const;
    const PropertyBag& properties() const { return properties_; }
    std::vector<Recipient> Recipients() const { return RecipientsOf(node_.source->RecipientRows(properties_.where())); }
    // The instant behind Date(MessageDate).
    std::optional<std::time_t> MessageInstant() const;

private:
    std::optional<std::uint64_t> FirstFileTime(DateField field) const;

    ItemNode node_;
    PropertyBag properties_;
};

}  // namespace varnemo::mapi::pff
