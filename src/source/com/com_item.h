#pragma once

#include "com/collection.h"
#include "com/object.h"
#include "source/mapi.h"

namespace varnemo::mapi::com {

// An item (RDOMail or one of its kinds: appointment, task, contact, distribution list).
class ComItem : public mapi::Item {
public:
    explicit ComItem(varnemo::com::Object item) : item_(std::move(item)) {}

    std::string EntryID() override { return item_.GetText("EntryID"); }
    std::string Text(TextField field) override;
    DateTime Date(DateField field) override;
    long Importance() override;
    // The item's raw properties, read through Fields: the object model's RecurrencePattern
    // does not give the changed occurrences' times in the form the series is laid out from.
    RecurrenceData Recurrence() override;
    std::unique_ptr<mapi::Attachments> GetAttachments() override;
    // The list's Members (RDOAddressEntries); an item that is no list has none, and the
    // component's failure says so.
    std::unique_ptr<mapi::Members> GetMembers() override;

private:
    varnemo::com::Object item_;
};

class ComItems : public mapi::Items {
public:
    explicit ComItems(varnemo::com::Object items) : items_(std::move(items), "RDOMail") {}
    long Count() override { return items_.Count(); }
    std::unique_ptr<mapi::Item> Item(long index) override { return std::make_unique<ComItem>(items_.Item(index)); }

private:
    varnemo::com::Collection items_;
};

}  // namespace varnemo::mapi::com
