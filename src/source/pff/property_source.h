#pragma once

#include "source/pff/byte_sink.h"
#include "source/pff/property_bag.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace varnemo::mapi::pff {

class PropertySource;
using SourceRef = std::shared_ptr<const PropertySource>;

// One node of an Outlook data file as a reader serves it: a folder, a message (in a folder or
// embedded in an attachment), an attachment or the message store. Two readers stand behind it:
// the direct reader of the file's own structures, and libpff for the files it does not read.
// Each part is read when it is asked for; where names the node in error messages. Operations
// that do not fit the node's kind give nothing (no rows, no sub-folders).
class PropertySource {
public:
    virtual ~PropertySource() = default;

    virtual std::uint32_t NodeId() const = 0;
    virtual PropertyBag Properties(std::string where) const = 0;

    // Folders: their sub-folders (hierarchy table) and messages (contents table), in table order.
    virtual int SubFolderCount(const std::string& where) const = 0;
    virtual SourceRef SubFolder(int at, const std::string& where) const = 0;
    virtual int MessageCount(const std::string& where) const = 0;
    virtual SourceRef Message(int at, const std::string& where) const = 0;

    // Messages: the rows of the recipient table, the attachments, the RTF body decompressed
    // (nothing when the message has none).
    virtual std::vector<PropertyBag> RecipientRows(const std::string& where) const = 0;
    virtual int AttachmentCount(const std::string& where) const = 0;
    virtual SourceRef Attachment(int at, const std::string& where) const = 0;
    virtual std::optional<std::string> RtfBody(const std::string& where) const = 0;

    // Attachments: an embedded item, or the stored bytes handed to sink in pieces.
    virtual bool HoldsItem(const std::string& where) const = 0;
    virtual SourceRef EmbeddedItem(const std::string& where) const = 0;
    virtual void ReadData(const ByteSink& sink, const std::string& where) const = 0;
};

}  // namespace varnemo::mapi::pff
