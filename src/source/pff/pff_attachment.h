#pragma once

#include "source/mapi.h"
#include "source/pff/attachment_data.h"
#include "source/pff/item_node.h"
#include "source/pff/property_bag.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace varnemo::mapi::pff {

class PffItem;

// One attachment of an item: a file (its bytes are saved as they are), or an embedded item
// (saved as a message file, name ending in ".eml"), or an OLE object (whatever bytes the data
// file holds for it are saved), or a link to a file kept elsewhere (a path, or the address of a
// cloud attachment), which cannot be saved unless the data file holds a copy.
class PffAttachment : public mapi::Attachment {
public:
    PffAttachment(ItemNode node, std::string where);

    // A file's stored name, which may be empty: the caller chooses a name then. An embedded
    // item's name always ends in ".eml".
    std::string FileName() override;
    void SaveAsFile(const std::filesystem::path& path) override;

    bool IsEmbeddedItem() const { return embedded_; }
    // Where a link points that the data file holds no copy of (empty when it does not say);
    // nothing for any other attachment.
    const std::optional<std::string>& LinkTarget() const { return link_; }
    std::unique_ptr<PffItem> EmbeddedItem() const;
    // The name stored with the attachment (long file name, short file name, display name).
    std::string StoredFileName() const;
    // The MIME type stored with the attachment, or application/octet-stream.
    std::string MimeType() const;
    void ReadData(const ByteSink& sink) const;
    const PropertyBag& properties() const { return properties_; }

private:
    ItemNode node_;
    PropertyBag properties_;
    // The path or address a link without bytes points to.
    std::optional<std::string> link_;
    bool embedded_ = false;
};

// The attachments of an item that its user sees: those of a recurring series that hold its
// occurrences are left out (recurrence_exception.h).
class PffAttachments : public mapi::Attachments {
public:
    PffAttachments(ItemNode message, std::string where, bool recurringSeries);

    long Count() override { return static_cast<long>(shown_.size()); }
    std::unique_ptr<mapi::Attachment> Item(long index) override { return Attachment(index); }
    std::unique_ptr<PffAttachment> Attachment(long index) const;

private:
    // The attachment in row `at` of the attachment table; index names it in error messages.
    std::unique_ptr<PffAttachment> Open(int at, long index) const;
    bool IsUsersAttachment(int at) const;

    ItemNode message_;
    std::string where_;
    // The rows of the attachment table that Count and Attachment stand for.
    std::vector<int> shown_;
};

}  // namespace varnemo::mapi::pff
