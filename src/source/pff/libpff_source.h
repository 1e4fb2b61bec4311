#pragma once

#include "source/pff/pff_handles.h"
#include "source/pff/property_source.h"

#include <memory>

namespace varnemo::mapi::pff {

// A node of a data file as libpff reads it: the reader of the files the direct reader does not
// read, and the oracle the direct reader is tested against.
class LibpffSource : public PropertySource {
public:
    // parent keeps what item depends on alive (the file, the message of an attachment); it is
    // released after item.
    LibpffSource(std::shared_ptr<const void> parent, ItemHandle item);

    std::uint32_t NodeId() const override;
    PropertyBag Properties(std::string where) const override;

    int SubFolderCount(const std::string& where) const override;
    SourceRef SubFolder(int at, const std::string& where) const override;
    int MessageCount(const std::string& where) const override;
    SourceRef Message(int at, const std::string& where) const override;

    std::vector<PropertyBag> RecipientRows(const std::string& where) const override;
    int AttachmentCount(const std::string& where) const override;
    SourceRef Attachment(int at, const std::string& where) const override;
    std::optional<std::string> RtfBody(const std::string& where) const override;

    bool HoldsItem(const std::string& where) const override;
    SourceRef EmbeddedItem(const std::string& where) const override;
    void ReadData(const ByteSink& sink, const std::string& where) const override;

private:
    SourceRef Child(ItemHandle item) const;

    std::shared_ptr<const void> parent_;
    // Shared with the children, which need it open; they do not hold this object, so that the
    // embedded item kept below makes no cycle.
    std::shared_ptr<ItemHandle> item_;
    // libpff opens the item of an attachment only once; later attempts fail.
    mutable SourceRef embedded_;
};

// The properties of record set `recordSet` of a libpff item (0 for the item's own properties, one
// per row for a table).
PropertyBag LibpffProperties(libpff_item_t* item, std::string where, int recordSet = 0);

}  // namespace varnemo::mapi::pff
