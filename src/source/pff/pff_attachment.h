#pragma once

#include "source/mapi.h"
#include "source/pff/attachment_data.h"
#include "source/pff/direct/attachment_node.h"
#include "source/pff/item_node.h"
#include "source/pff/property_bag.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace varnemo::mapi::pff {

class PffItem;

// One attachment of an item: a file (its bytes are saved as they are), or an embedded item
// (saved as a message file, name ending in ".eml"), or an OLE object or link (whatever bytes the
// data file holds for it are saved).
class PffAttachment : public mapi::Attachment {
public:
    // An attachment as libpff reads it.
    PffAttachment(ItemRef node, std::string where);
    // A file attached to message, read straight from the data file.
    PffAttachment(ItemRef message, direct::AttachmentNode direct, std::string where);

    // May be empty: the caller chooses a name then.
    std::string FileName() override;
    void SaveAsFile(const std::filesystem::path& path) override;

    bool IsEmbeddedItem() const { return embedded_; }
    std::unique_ptr<PffItem> EmbeddedItem() const;
    // The name stored with the attachment (long file name, short file name, display name).
    std::string StoredFileName() const;
    // The MIME type stored with the attachment, or application/octet-stream.
    std::string MimeType() const;
    void ReadData(const ByteSink& sink) const;
    const PropertyBag& properties() const { return properties_; }

private:
    ItemRef EmbeddedNode() const;

    // The attachment as libpff reads it; for one read directly, the message it belongs to.
    ItemRef node_;
    std::optional<direct::AttachmentNode> direct_;
    PropertyBag properties_;
    bool embedded_ = false;
    // libpff opens the item of an attachment only once; later attempts fail.
    mutable ItemRef embeddedNode_;
};

class PffAttachments : public mapi::Attachments {
public:
    PffAttachments(ItemRef message, std::string where);

    long Count() override { return count_; }
    std::unique_ptr<mapi::Attachment> Item(long index) override { return Attachment(index); }
    std::unique_ptr<PffAttachment> Attachment(long index) const;

private:
    int LibpffCount() const;
    ItemRef LibpffAttachment(int at, long index) const;

    ItemRef message_;
    std::string where_;
    // The attachments' node ids when the attachment table was read directly.
    std::optional<std::vector<std::uint32_t>> directIds_;
    long count_ = 0;
};

}  // namespace varnemo::mapi::pff
